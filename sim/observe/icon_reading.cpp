#include "sim/observe/icon_reading.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>
#include <vector>

#include "controls/builtin_icons.h"
#include "controls/image_utilities.h"

namespace sim {

namespace {

using platform::UIImageOrientation;

// Coverage (0..255) of each pixel as a person sees the image: its orientation applied.
struct Mask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> alpha;
  std::uint8_t at(int x, int y) const { return alpha[static_cast<std::size_t>(y) * width + x]; }
};

Mask shownMask(const platform::CGImage& image, UIImageOrientation orientation) {
  const int w = image.width(), h = image.height();
  const bool turned = orientation == platform::UIImageOrientationLeft ||
                      orientation == platform::UIImageOrientationRight ||
                      orientation == platform::UIImageOrientationLeftMirrored ||
                      orientation == platform::UIImageOrientationRightMirrored;
  Mask mask{turned ? h : w, turned ? w : h, {}};
  mask.alpha.resize(static_cast<std::size_t>(w) * h);
  for (int v = 0; v < mask.height; ++v)
    for (int u = 0; u < mask.width; ++u) {
      int x = u, y = v;
      switch (orientation) {
        case platform::UIImageOrientationUp: break;
        case platform::UIImageOrientationUpMirrored: x = w - 1 - u; break;
        case platform::UIImageOrientationDown: x = w - 1 - u, y = h - 1 - v; break;
        case platform::UIImageOrientationDownMirrored: y = h - 1 - v; break;
        case platform::UIImageOrientationLeft: x = w - 1 - v, y = u; break;
        case platform::UIImageOrientationRight: x = v, y = h - 1 - u; break;
        case platform::UIImageOrientationLeftMirrored: x = w - 1 - v, y = h - 1 - u; break;
        case platform::UIImageOrientationRightMirrored: x = v, y = u; break;
      }
      mask.alpha[static_cast<std::size_t>(v) * mask.width + u] = static_cast<std::uint8_t>(image.pixel(x, y) >> 24);
    }
  return mask;
}

// The reference glyph fitted into the shown image's pixels as the HUD fits it (aspect fit, centred),
// each pixel the average of 4 x 4 samples.
double coverageAt(const Mask& glyph, const Mask& shown, int u, int v, bool mirrored) {
  const double k = std::min(static_cast<double>(shown.width) / glyph.width,
                            static_cast<double>(shown.height) / glyph.height);
  const double ox = (shown.width - glyph.width * k) / 2, oy = (shown.height - glyph.height * k) / 2;
  double sum = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx) {
      double px = u + (sx + 0.5) / 4, py = v + (sy + 0.5) / 4;
      if (mirrored) px = shown.width - px;
      auto gx = static_cast<int>(std::floor((px - ox) / k)), gy = static_cast<int>(std::floor((py - oy) / k));
      if (gx >= 0 && gy >= 0 && gx < glyph.width && gy < glyph.height) sum += glyph.at(gx, gy);
    }
  return sum / 16;
}

using Fitted = std::vector<double>;  // coverage of each pixel of the shown image, by rows

Fitted fit(const Mask& glyph, const Mask& shown, bool mirrored) {
  Fitted fitted;
  fitted.reserve(shown.alpha.size());
  for (int v = 0; v < shown.height; ++v)
    for (int u = 0; u < shown.width; ++u) fitted.push_back(coverageAt(glyph, shown, u, v, mirrored));
  return fitted;
}

// Mean difference of coverage, 0 (same shape) to 1.
double difference(const Fitted& glyph, const Mask& shown) {
  double total = 0;
  for (std::size_t i = 0; i < shown.alpha.size(); ++i) total += std::fabs(glyph[i] - shown.alpha[i]);
  return total / (255.0 * shown.width * shown.height);
}

struct Reference {
  const char* name;
  const char* dataURL;
};

const auto kGlyphs = std::to_array<Reference>({
    {"ringerMin", tarvo::ringerMinBase64},
    {"ringerMed", tarvo::ringerMedBase64},
    {"ringerMax", tarvo::ringerMaxBase64},
    {"mediaMin", tarvo::mediaMinBase64},
    {"mediaMed", tarvo::mediaMedBase64},
    {"mediaMax", tarvo::mediaMaxBase64},
});

// The six glyphs as their data URLs decode, once; a glyph that does not decode is an empty mask.
const std::array<Mask, kGlyphs.size()>& referenceMasks() {
  static const std::array<Mask, kGlyphs.size()> masks = [] {
    std::array<Mask, kGlyphs.size()> decoded;
    for (std::size_t i = 0; i < kGlyphs.size(); ++i) {
      platform::UIImagePtr image = tarvo::decodeBase64ToImage(kGlyphs[i].dataURL);
      if (image && image->CGImage()) decoded[i] = shownMask(*image->CGImage(), platform::UIImageOrientationUp);
    }
    return decoded;
  }();
  return masks;
}

// A glyph fitted to an image size, made once per size: icons come in a few sizes, read again and again.
std::shared_ptr<const Fitted> fitted(std::size_t glyph, const Mask& shown, bool mirrored) {
  static std::mutex mutex;
  static std::map<std::tuple<std::size_t, int, int, bool>, std::shared_ptr<const Fitted>> cache;
  constexpr std::size_t kMostKept = 64 * kGlyphs.size();  // sizes past that are made afresh
  const auto key = std::make_tuple(glyph, shown.width, shown.height, mirrored);
  std::lock_guard lock(mutex);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  auto made = std::make_shared<const Fitted>(fit(referenceMasks()[glyph], shown, mirrored));
  if (cache.size() >= kMostKept) cache.clear();
  cache.emplace(key, made);
  return made;
}

// Beyond this mean difference a shape is none of the glyphs; the closest two glyphs differ by about
// three times as much at the HUD's icon sizes.
constexpr double kSameShape = 0.05;

std::string digest(const Mask& mask) {
  std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
  auto mix = [&](std::uint8_t byte) {
    hash ^= byte;
    hash *= 1099511628211ull;
  };
  for (int n : {mask.width, mask.height})
    for (int shift = 0; shift < 32; shift += 8) mix(static_cast<std::uint8_t>(n >> shift));
  for (std::uint8_t a : mask.alpha) mix(a);
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::optional<platform::UIColor> colourOf(const platform::CGImage& image) {
  double red = 0, green = 0, blue = 0, coverage = 0;
  std::uint32_t strongest = 0;
  for (std::uint32_t p : image.pixels()) {
    std::uint32_t a = p >> 24;
    // Premultiplied: summing the channels weights each pixel by its coverage.
    red += (p >> 16) & 0xFF, green += (p >> 8) & 0xFF, blue += p & 0xFF, coverage += a;
    strongest = std::max(strongest, a);
  }
  if (coverage == 0) return std::nullopt;
  return platform::UIColor::colorWithRed(red / coverage, green / coverage, blue / coverage, strongest / 255.0);
}

IconReading readIconPixels(const platform::UIImagePtr& image) {
  IconReading reading;
  if (!image || !image->CGImage()) return reading;
  const platform::CGImage& pixels = *image->CGImage();
  Mask shown = shownMask(pixels, image->imageOrientation());
  reading.alphaDigest = digest(shown);
  reading.colour = colourOf(pixels);
  if (!reading.colour || shown.width == 0 || shown.height == 0) return reading;
  // A translucent colour scales every pixel's coverage alike; the shape is the coverage relative to
  // the strongest pixel, so a glyph drawn at 40 % is still that glyph.
  const std::uint8_t strongest = *std::max_element(shown.alpha.begin(), shown.alpha.end());
  if (strongest < 255)
    for (std::uint8_t& a : shown.alpha) a = static_cast<std::uint8_t>(std::lround(a * 255.0 / strongest));
  double best = kSameShape;
  reading.glyph = "unrecognised";
  for (std::size_t i = 0; i < kGlyphs.size(); ++i) {
    if (referenceMasks()[i].alpha.empty()) continue;
    for (bool mirrored : {false, true}) {
      double d = difference(*fitted(i, shown, mirrored), shown);
      if (d < best) best = d, reading.glyph = kGlyphs[i].name, reading.mirrored = mirrored;
    }
  }
  return reading;
}

}  // namespace

// An image never changes, and the HUD shows the same few icons again and again: the latest readings are
// kept by image, held weakly so that a new image at the address of a freed one is not taken for it.
IconReading readIcon(const platform::UIImagePtr& image) {
  struct Kept {
    std::weak_ptr<const platform::UIImage> image;
    IconReading reading;
  };
  constexpr std::size_t kKept = 16;
  static std::mutex mutex;
  static std::array<Kept, kKept> kept;
  static std::size_t next = 0;
  if (!image) return {};
  {
    std::lock_guard lock(mutex);
    for (const Kept& k : kept)
      if (k.image.lock() == image) return k.reading;
  }
  IconReading reading = readIconPixels(image);
  std::lock_guard lock(mutex);
  kept[next] = Kept{image, reading};
  next = (next + 1) % kKept;
  return reading;
}

std::string_view orientationName(platform::UIImageOrientation orientation) {
  switch (orientation) {
    case platform::UIImageOrientationUp: return "up";
    case platform::UIImageOrientationDown: return "down";
    case platform::UIImageOrientationLeft: return "left";
    case platform::UIImageOrientationRight: return "right";
    case platform::UIImageOrientationUpMirrored: return "upMirrored";
    case platform::UIImageOrientationDownMirrored: return "downMirrored";
    case platform::UIImageOrientationLeftMirrored: return "leftMirrored";
    case platform::UIImageOrientationRightMirrored: return "rightMirrored";
  }
  return "up";
}

}  // namespace sim
