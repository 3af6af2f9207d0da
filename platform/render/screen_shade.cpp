#include "platform/render/screen_shade.h"

#include <algorithm>
#include <cmath>

#include "platform/render/damage_region.h"

namespace platform {

namespace {

bool before(int y, int x, int otherY, int otherX) { return y < otherY || (y == otherY && x < otherX); }

// Black over the part of the pixel that does not pass.
std::uint32_t shaded(std::uint32_t pixel, double passes) {
  auto channel = [&](int shift) {
    return static_cast<std::uint32_t>(std::lround(((pixel >> shift) & 0xFF) * passes));
  };
  auto alpha = static_cast<std::uint32_t>(std::lround(((pixel >> 24) & 0xFF) * passes + 255 * (1 - passes)));
  return alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

}  // namespace

void ScreenShade::add(int x, int y, double passes) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Pixel pixel{y, x, static_cast<float>(std::clamp(passes, 0.0, 1.0))};
  // Built in reading order, so this is almost always an append.
  auto at = std::upper_bound(pixels_.begin(), pixels_.end(), pixel,
                             [](const Pixel& a, const Pixel& b) { return before(a.y, a.x, b.y, b.x); });
  if (at != pixels_.begin() && at[-1].y == y && at[-1].x == x) at[-1] = pixel;
  else pixels_.insert(at, pixel);
}

void ScreenShade::applyTo(std::uint32_t* pixels, int stride, const PixelBox& box) const {
  if (!pixels) return;
  auto first = std::lower_bound(pixels_.begin(), pixels_.end(), box.y,
                                [](const Pixel& p, int y) { return p.y < y; });
  for (auto it = first; it != pixels_.end() && it->y < box.y + box.height; ++it) {
    if (it->x < box.x || it->x >= box.x + box.width) continue;
    std::uint32_t& pixel = pixels[static_cast<std::size_t>(it->y) * stride + it->x];
    pixel = shaded(pixel, it->passes);
  }
}

}  // namespace platform
