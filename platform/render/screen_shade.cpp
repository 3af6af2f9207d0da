#include "platform/render/screen_shade.h"

#include <algorithm>
#include <cmath>

#include "platform/render/damage_region.h"

namespace platform {

namespace {

// Black over the part of the pixel that does not pass, rounding halves up: premultiplied channels scale
// with the light that passes, and alpha gains what the black adds.
std::uint32_t shaded(std::uint32_t pixel, std::uint32_t passes) {
  if (passes == 0) return 0xFF000000u;
  auto channel = [&](int shift) { return ((((pixel >> shift) & 0xFF) * passes + 128) >> 8) << shift; };
  const std::uint32_t alpha = (((pixel >> 24) & 0xFF) * passes + 255 * (256 - passes) + 128) >> 8;
  return alpha << 24 | channel(16) | channel(8) | channel(0);
}

}  // namespace

void ScreenShade::add(int x, int y, double passes) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const auto weight = static_cast<std::uint32_t>(std::lround(std::clamp(passes, 0.0, 1.0) * 256));
  if (!spans_.empty()) {
    Span& last = spans_.back();
    if (last.y == y && last.x + last.length == x && last.passes == weight) {
      ++last.length;
      return;
    }
  }
  Span span{y, x, 1, weight};
  auto at = std::upper_bound(spans_.begin(), spans_.end(), span, [](const Span& a, const Span& b) {
    return a.y < b.y || (a.y == b.y && a.x < b.x);
  });
  spans_.insert(at, span);
}

void ScreenShade::applyTo(std::uint32_t* pixels, int stride, const PixelBox& box) const {
  if (!pixels || box.empty()) return;
  auto first =
      std::lower_bound(spans_.begin(), spans_.end(), box.y, [](const Span& s, int y) { return s.y < y; });
  for (auto it = first; it != spans_.end() && it->y < box.y + box.height; ++it) {
    const int from = std::max(it->x, box.x), to = std::min(it->x + it->length, box.x + box.width);
    std::uint32_t* row = pixels + static_cast<std::size_t>(it->y) * stride;
    for (int x = from; x < to; ++x) row[x] = shaded(row[x], it->passes);
  }
}

}  // namespace platform
