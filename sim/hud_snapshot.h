#pragma once
// What the HUD is at a moment, as a property-list dictionary keyed by the names `expect` uses
// ("tarvoHUDWindow.frame", "tarvoMinColor", "setting.WIDTH", ...). A name with no value (no view yet,
// a nil colour) is absent. Values are the model values: what the views will show when animations end.
//
// Encoding: rectangles [x, y, w, h], points [x, y], colours [r, g, b, a], glyphs and alignments by name,
// rotations in degrees, statusColors as a dictionary of [hue, saturation, brightness].
#include "platform/foundation/plist_value.h"

namespace tarvo {
class Tarvo12;
}

namespace sim {

platform::PlistDict hudSnapshot(const tarvo::Tarvo12& lib);

}  // namespace sim
