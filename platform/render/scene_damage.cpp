#include "platform/render/scene_damage.h"

namespace platform {

namespace {

bool sameWindows(const WindowRecord& a, const WindowRecord& b) {
  auto alive = a.window.lock();
  return alive && alive.get() == b.address;
}

}  // namespace

DamageRegion changesBetween(const SceneRecord& before, const SceneRecord& after) {
  if (before.width != after.width || before.height != after.height || before.scale != after.scale ||
      before.background != after.background)
    return DamageRegion::whole(after.width, after.height);
  DamageRegion region;
  std::vector<bool> matched(before.windows.size(), false);
  std::size_t lastMatch = 0;
  bool anyMatch = false;
  for (const auto& now : after.windows) {
    std::size_t i = 0;
    while (i < before.windows.size() && !sameWindows(before.windows[i], now)) ++i;
    if (i == before.windows.size()) {
      region.add(now.extent);
      continue;
    }
    // Windows that swapped places change what covers what everywhere they overlap.
    if (anyMatch && i < lastMatch) return DamageRegion::whole(after.width, after.height);
    anyMatch = true;
    lastMatch = i;
    matched[i] = true;
    if (now.views != before.windows[i].views) {
      region.add(before.windows[i].extent);
      region.add(now.extent);
    }
  }
  for (std::size_t i = 0; i < before.windows.size(); ++i)
    if (!matched[i]) region.add(before.windows[i].extent);
  return region;
}

PixelBox areaToDrawFor(const PixelBox& box, const SceneRecord& scene) {
  PixelBox area = box;
  for (const auto& window : scene.windows)
    for (const auto& whole : window.wholes)
      if (whole.intersects(box)) area = area.united(whole);
  return area;
}

void includeBackdrops(DamageRegion& region, const SceneRecord& scene) {
  for (bool grew = !region.empty(); grew;) {
    grew = false;
    for (const auto& window : scene.windows)
      for (const auto& backdrop : window.backdrops)
        if (region.intersects(backdrop.beneath) && !region.contains(backdrop.reach)) {
          region.add(backdrop.reach);
          grew = true;
        }
  }
}

}  // namespace platform
