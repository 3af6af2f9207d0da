#pragma once
// The display's real outline on a rendered frame, so that a person sees what the glass shows: rounded
// corners on every model and, on notched models, the sensor housing at the top edge, both in black, as
// the model table gives them.
// Frames are in the portrait screen's pixels, whatever the interface orientation.
#include <memory>

#include "platform/graphics/image.h"
#include "platform/render/screen_shade.h"
#include "sim/scenario/device_models.h"

namespace sim {

// Black over everything outside the display (corners, housing), edges antialiased, for frames of the
// model's screen at `scale` pixels per point; the renderer lays it over each frame it draws.
std::shared_ptr<const platform::ScreenShade> displayShade(const DeviceModel& model, double scale);
// The frame with that shade applied, as a copy. A frame of another size than the model's screen comes
// back as it was.
platform::CGImageRef maskToDisplay(const platform::CGImageRef& frame, const DeviceModel& model, double scale);

// The frame turned as a person holds the phone in an interface orientation (1 to 4): landscape screens
// lie on their side in portrait frames.
platform::CGImageRef turnUpright(const platform::CGImageRef& frame, int orientation);

}  // namespace sim
