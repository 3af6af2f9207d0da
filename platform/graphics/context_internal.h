#pragma once
// What a CGContextRef points at. Private to platform/.
#include <vector>

#include "platform/graphics/cairo_bridge.h"
#include "platform/graphics/color.h"
#include "platform/graphics/context.h"

struct CGContext {
  // The state CoreGraphics keeps beside cairo's own; saved and restored with it.
  struct State {
    platform::UIColor fill = platform::UIColor::blackColor();
    platform::UIColor stroke = platform::UIColor::blackColor();
    platform::CGBlendMode blend = platform::kCGBlendModeNormal;
    double alpha = 1;
    double lineWidth = 1;
  };

  // A bitmap context in points: pixel size = size x scale, y down.
  CGContext(platform::CGSize size, double scale, bool opaque);
  // A context drawing onto someone else's cairo context (the renderer's), which it does not own.
  explicit CGContext(cairo_t* borrowed, double scale);

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_.get(); }

  platform::CGSize size;
  double scale = 1;
  bool opaque = false;
  State state;
  std::vector<State> saved;

 private:
  platform::cairo::SurfacePtr surface_;
  platform::cairo::ContextPtr owned_;
  cairo_t* cr_ = nullptr;
};

namespace platform {
// Pixel count of one side of a bitmap context: 0 for anything not positive and finite, capped.
int contextPixels(double points, double scale);
}  // namespace platform
