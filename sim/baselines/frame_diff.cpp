#include "sim/baselines/frame_diff.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace baselines {

namespace {

using platform::RGBA8;

// What a pixel becomes after a trip through a PNG file, which stores colours without premultiplication.
std::uint32_t asStored(std::uint32_t pixel) {
  return (pixel >> 24) == 0xFF ? pixel : platform::premultipliedPixel(platform::unpremultipliedPixel(pixel));
}

int channelDifference(std::uint32_t a, std::uint32_t b) {
  int largest = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    largest = std::max(largest, d);
  }
  return largest;
}

// The first pixel whose centre lies at or past `edge`, kept inside the image whatever the rules say.
int pixelEdge(double edge, int limit) {
  return static_cast<int>(std::clamp(std::ceil(edge - 0.5), 0.0, static_cast<double>(limit)));
}

// A pixel belongs to a region when its centre does.
std::vector<bool> textMask(int width, int height, const std::vector<platform::CGRect>& regions) {
  std::vector<bool> mask(static_cast<std::size_t>(width) * height, false);
  for (const auto& r : regions) {
    int x0 = pixelEdge(r.origin.x, width), x1 = pixelEdge(r.origin.x + r.size.width, width);
    int y0 = pixelEdge(r.origin.y, height), y1 = pixelEdge(r.origin.y + r.size.height, height);
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) mask[static_cast<std::size_t>(y) * width + x] = true;
  }
  return mask;
}

std::uint32_t washedOut(std::uint32_t pixel, bool text) {
  RGBA8 c = platform::unpremultipliedPixel(pixel);
  int luma = (c.r * 299 + c.g * 587 + c.b * 114) / 1000;
  auto light = static_cast<std::uint8_t>(255 - (255 - luma) / 4);
  RGBA8 out{light, light, light, 255};
  if (text) out.r = out.g = static_cast<std::uint8_t>(light * 7 / 8);
  return platform::premultipliedPixel(out);
}

}  // namespace

FrameDiff compareFrames(const platform::CGImage& actual, const platform::CGImage& expected,
                        const FrameRules& rules) {
  FrameDiff diff;
  diff.sameSize = actual.width() == expected.width() && actual.height() == expected.height();
  if (!diff.sameSize) return diff;
  int width = actual.width(), height = actual.height();
  std::vector<bool> text = textMask(width, height, rules.textRegions);
  std::size_t count = actual.pixels().size();
  std::vector<int> differences(count);
  for (std::size_t i = 0; i < count; ++i) {
    int d = differences[i] = channelDifference(asStored(actual.pixels()[i]), expected.pixels()[i]);
    if (text[i]) {
      ++diff.textPixels;
      diff.textDiffering += d > rules.textTolerance;
    } else {
      diff.differing += d > rules.tolerance;
      diff.largestDifference = std::max<std::size_t>(diff.largestDifference, static_cast<std::size_t>(d));
    }
  }
  diff.matches = diff.differing == 0 && static_cast<double>(diff.textDiffering) <=
                                            rules.textBudget * static_cast<double>(diff.textPixels);
  if (diff.matches) return diff;

  const std::uint32_t red = platform::premultipliedPixel({230, 0, 0, 255});
  const std::uint32_t orange = platform::premultipliedPixel({255, 150, 0, 255});
  std::vector<std::uint32_t> drawn(count);
  for (std::size_t i = 0; i < count; ++i) {
    bool beyond = differences[i] > (text[i] ? rules.textTolerance : rules.tolerance);
    drawn[i] = !beyond ? washedOut(actual.pixels()[i], text[i]) : text[i] ? orange : red;
  }
  diff.image = platform::CGImage::make(width, height, std::move(drawn));
  return diff;
}

}  // namespace baselines
