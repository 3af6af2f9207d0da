#include "sim/phone/display_shape.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#include "platform/render/damage_region.h"

namespace sim {

namespace {

// Inside a rectangle with rounded corners (radius r) from (x0, y0) to (x1, y1).
bool insideRounded(double x, double y, double x0, double y0, double x1, double y1, double r) {
  if (x < x0 || x > x1 || y < y0 || y > y1) return false;
  double cx = std::clamp(x, x0 + r, x1 - r), cy = std::clamp(y, y0 + r, y1 - r);
  return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

struct Outline {
  DisplayShape shape;
  double width, height;  // points

  bool shows(double x, double y) const {
    if (!insideRounded(x, y, 0, 0, width, height, shape.cornerRadius)) return false;
    if (shape.housingWidth <= 0) return true;
    double left = (width - shape.housingWidth) / 2;
    // The housing hangs from the top edge; its upper corners meet the edge square.
    return !insideRounded(x, y, left, -shape.housingRadius, left + shape.housingWidth, shape.housingHeight,
                          shape.housingRadius);
  }
};

std::shared_ptr<const platform::ScreenShade> makeShade(const DeviceModel& model, double scale) {
  const int w = static_cast<int>(std::lround(model.width * scale));
  const int h = static_cast<int>(std::lround(model.height * scale));
  auto shade = std::make_shared<platform::ScreenShade>(w, h);
  const Outline outline{model.display, model.width, model.height};
  // Only the corners and the housing can be outside; everything else is left alone.
  const int corner = static_cast<int>(std::ceil(outline.shape.cornerRadius * scale)) + 1;
  const int housingBottom = static_cast<int>(std::ceil(outline.shape.housingHeight * scale)) + 1;
  const double housingLeft = (model.width - outline.shape.housingWidth) / 2 * scale;
  const int housingFrom = static_cast<int>(std::floor(housingLeft)) - 1;
  const int housingTo = static_cast<int>(std::ceil(housingLeft + outline.shape.housingWidth * scale)) + 1;
  auto shows = [&](double x, double y) { return outline.shows(x / scale, y / scale); };
  constexpr int kSamples = 4;
  for (int y = 0; y < h; ++y) {
    const bool nearTopOrBottom = y < corner || y >= h - corner;
    const bool nearHousing = y < housingBottom;
    if (!nearTopOrBottom && !nearHousing) continue;
    for (int x = 0; x < w; ++x) {
      const bool inCorner = nearTopOrBottom && (x < corner || x >= w - corner);
      const bool inHousing = nearHousing && x >= housingFrom && x <= housingTo;
      if (!inCorner && !inHousing) continue;
      // Both shapes are convex at a pixel's size: four corners alike mean the whole pixel is alike.
      const bool a = shows(x, y), b = shows(x + 1, y), c = shows(x, y + 1), d = shows(x + 1, y + 1);
      if (a && b && c && d) continue;
      double shown = 0;
      if (a || b || c || d) {
        int inside = 0;
        for (int sy = 0; sy < kSamples; ++sy)
          for (int sx = 0; sx < kSamples; ++sx)
            inside += shows(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
        if (inside == kSamples * kSamples) continue;
        shown = static_cast<double>(inside) / (kSamples * kSamples);
      }
      shade->add(x, y, shown);
    }
  }
  return shade;
}

}  // namespace

std::shared_ptr<const platform::ScreenShade> displayShade(const DeviceModel& model, double scale) {
  if (!(scale > 0) || !std::isfinite(scale)) return nullptr;
  // Every phone of a model shares its outline: it costs milliseconds to make, and phones boot often.
  static std::mutex mutex;
  using Key = std::tuple<double, double, double, double, double, double, double>;
  static std::map<Key, std::shared_ptr<const platform::ScreenShade>> made;
  constexpr std::size_t kMostKept = 32;
  const DisplayShape& d = model.display;
  const Key key{model.width, model.height, d.cornerRadius, d.housingWidth, d.housingHeight, d.housingRadius, scale};
  std::lock_guard lock(mutex);
  if (auto it = made.find(key); it != made.end()) return it->second;
  auto shade = makeShade(model, scale);
  if (made.size() >= kMostKept) made.clear();
  made.emplace(key, shade);
  return shade;
}

platform::CGImageRef maskToDisplay(const platform::CGImageRef& frame, const DeviceModel& model, double scale) {
  if (!frame) return frame;
  auto shade = displayShade(model, scale);
  if (!shade || shade->width() != frame->width() || shade->height() != frame->height()) return frame;
  std::vector<std::uint32_t> pixels = frame->pixels();
  shade->applyTo(pixels.data(), frame->width(), platform::PixelBox{0, 0, frame->width(), frame->height()});
  return platform::CGImage::make(frame->width(), frame->height(), std::move(pixels));
}

platform::CGImageRef turnUpright(const platform::CGImageRef& frame, int orientation) {
  if (!frame || orientation < 2 || orientation > 4) return frame;
  const int w = frame->width(), h = frame->height();
  const bool sideways = orientation != 2;
  const int outW = sideways ? h : w, outH = sideways ? w : h;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
  for (int v = 0; v < outH; ++v)
    for (int u = 0; u < outW; ++u) {
      int x = w - 1 - u, y = h - 1 - v;  // upside down: half a turn
      // Landscape-right (home button on the right): the top edge of the phone is on the person's left.
      if (orientation == 3) x = w - 1 - v, y = u;
      if (orientation == 4) x = v, y = h - 1 - u;
      pixels[static_cast<std::size_t>(v) * outW + u] = frame->pixel(x, y);
    }
  return platform::CGImage::make(outW, outH, std::move(pixels));
}

}  // namespace sim
