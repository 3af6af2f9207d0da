#pragma once
// Where the HUD sits on a model's screen in an orientation and mode, laid out by the system's own layout
// code (the arithmetic the controller applies to its views), in points of the portrait screen.
#include "hud/modes.h"
#include "platform/graphics/geometry.h"
#include "sim/scenario/device_models.h"

namespace tarvo {
struct Settings;
}

namespace sim {

struct HudPlacement {
  platform::CGRect window;  // the window's frame, turned in landscape
  // What is drawn: the background with one; without it the slider, the icons the mode shows and the
  // percentage label (its box no taller than the HUD: the text is shorter than the box).
  platform::CGRect extent;
  double radius = 0;  // the extent's corner radius
};

HudPlacement placeHud(const tarvo::Settings& settings, const DeviceModel& model,
                      tarvo::InterfaceOrientation orientation, tarvo::VolumeMode mode);

// A rectangle of the portrait screen as the person holding the phone in `orientation` sees it, on a
// screen `width` x `height` in portrait: x to their right, y down.
platform::CGRect asSeen(platform::CGRect rect, tarvo::InterfaceOrientation orientation, double width,
                        double height);

}  // namespace sim
