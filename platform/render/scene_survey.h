#pragma once
// What a frame will show, window by window, without drawing it: everything that decides a window's pixels
// (presentation values, layer styles, images, text, slider geometry) and the screen area they can reach.
// Two surveys say which parts of the screen changed between two frames. Private to platform/.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/graphics/color.h"
#include "platform/graphics/image.h"
#include "platform/render/damage_region.h"

namespace platform {

class UIWindow;

struct WindowSurvey {
  std::weak_ptr<UIWindow> window;
  const UIWindow* address = nullptr;
  // Everything drawn, in drawing order: numbers as their bits, strings, and images by identity (held, so
  // that no new image can take an old one's address).
  std::vector<std::uint64_t> values;
  std::vector<std::string> strings;
  std::vector<UIImagePtr> images;
  PixelBox extent;                  // every pixel the window can touch, shadows included
  std::vector<PixelBox> backdrops;  // areas whose pixels depend on what lies beneath (blur)
  // Drawing operations that must be drawn whole to give a full redraw's pixels: cairo rounds an antialiased
  // shape, an image or a group a little differently when the surface cuts it. Plain rectangles need not be.
  std::vector<PixelBox> wholes;

  bool drawsTheSameAs(const WindowSurvey& other) const;
};

struct SceneSurvey {
  int width = 0, height = 0;
  double scale = 1;
  std::optional<UIColor> background;
  std::vector<WindowSurvey> windows;  // in drawing order
};

// `windows` sorted by level and laid out, as the renderer draws them.
SceneSurvey surveyScene(const std::vector<std::shared_ptr<UIWindow>>& windows, int width, int height,
                        double scale, Nanos time, const std::optional<UIColor>& background);

// The pixels that may differ between the two frames.
DamageRegion changesBetween(const SceneSurvey& before, const SceneSurvey& after);

// The part of the screen to draw so that `box` comes out as in a full redraw: the box and every operation
// that reaches into it, whole.
PixelBox areaToDrawFor(const PixelBox& box, const SceneSurvey& scene);

// Grows the region over every backdrop it touches: a blur must be redrawn whole or not at all, since each of
// its pixels depends on its neighbours beneath.
void includeBackdrops(DamageRegion& region, const SceneSurvey& scene);

}  // namespace platform
