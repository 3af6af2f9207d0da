#include "platform/render/damage_region.h"

#include <algorithm>

namespace platform {

bool PixelBox::intersects(const PixelBox& o) const {
  return !empty() && !o.empty() && x < o.x + o.width && o.x < x + width && y < o.y + o.height &&
         o.y < y + height;
}

bool PixelBox::contains(const PixelBox& o) const {
  return o.empty() || (!empty() && o.x >= x && o.y >= y && o.x + o.width <= x + width &&
                       o.y + o.height <= y + height);
}

PixelBox PixelBox::united(const PixelBox& o) const {
  if (empty()) return o;
  if (o.empty()) return *this;
  int x0 = std::min(x, o.x), y0 = std::min(y, o.y);
  int x1 = std::max(x + width, o.x + o.width), y1 = std::max(y + height, o.y + o.height);
  return {x0, y0, x1 - x0, y1 - y0};
}

PixelBox PixelBox::inflated(int by) const {
  if (empty()) return *this;
  return {x - by, y - by, width + 2 * by, height + 2 * by};
}

PixelBox PixelBox::clippedTo(int screenWidth, int screenHeight) const {
  int x0 = std::max(x, 0), y0 = std::max(y, 0);
  int x1 = std::min(x + width, screenWidth), y1 = std::min(y + height, screenHeight);
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

DamageRegion DamageRegion::whole(int width, int height) {
  DamageRegion region;
  region.add(PixelBox{0, 0, width, height});
  return region;
}

void DamageRegion::add(const PixelBox& box) {
  if (box.empty() || contains(box)) return;
  PixelBox merged = box;
  // Swallow every box the new one touches, again and again, as the union grows.
  for (bool grew = true; grew;) {
    grew = false;
    for (auto it = boxes_.begin(); it != boxes_.end();) {
      if (it->intersects(merged)) {
        merged = merged.united(*it);
        it = boxes_.erase(it);
        grew = true;
      } else {
        ++it;
      }
    }
  }
  boxes_.push_back(merged);
  if (boxes_.size() > kMostBoxes) {
    PixelBox all;
    for (const auto& b : boxes_) all = all.united(b);
    boxes_ = {all};
  }
}

void DamageRegion::add(const DamageRegion& other) {
  for (const auto& box : other.boxes_) add(box);
}

bool DamageRegion::intersects(const PixelBox& box) const {
  return std::any_of(boxes_.begin(), boxes_.end(), [&](const PixelBox& b) { return b.intersects(box); });
}

bool DamageRegion::contains(const PixelBox& box) const {
  return box.empty() ||
         std::any_of(boxes_.begin(), boxes_.end(), [&](const PixelBox& b) { return b.contains(box); });
}

}  // namespace platform
