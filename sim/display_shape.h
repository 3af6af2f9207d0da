#pragma once
// The display's real outline on a rendered frame, so that a person sees what the glass shows: rounded
// corners on every model and, on notched models, the sensor housing at the top edge, both in black.
// Frames are in the portrait screen's pixels, whatever the interface orientation.
#include "platform/graphics/image.h"
#include "sim/scenario/device_models.h"

namespace sim {

struct DisplayShape {
  double cornerRadius = 0;    // points
  double housingWidth = 0;    // points; 0 for no housing
  double housingHeight = 0;   // points, from the top edge
  double housingRadius = 0;   // its lower corners, points
};

DisplayShape displayShapeOf(const DeviceModel& model);

// The frame with everything outside the display (corners, housing) painted black, edges antialiased.
// `scale` is the frame's pixels per point. A frame of another size than the model's screen comes back as
// it was.
platform::CGImageRef maskToDisplay(const platform::CGImageRef& frame, const DeviceModel& model, double scale);

// The frame turned as a person holds the phone in an interface orientation (1 to 4): landscape screens
// lie on their side in portrait frames.
platform::CGImageRef turnUpright(const platform::CGImageRef& frame, int orientation);

}  // namespace sim
