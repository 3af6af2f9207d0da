#pragma once
// What the HUD is at a moment, as a property-list dictionary keyed by the names of the field table
// (sim/scenario/snapshot_fields.h): "tarvoHUDWindow.frame", "tarvoHUDWindow.presentation.alpha",
// "tarvoMinColor", "setting.WIDTH", ... A name with no value (no view yet, a nil colour, no image) is
// absent. Plain names are model values (what the views show when animations end); presentation.* names
// are what is on screen at the moment asked about.
//
// Encoding: rectangles [x, y, w, h], points and sizes [x, y], colours [r, g, b, a], glyphs, alignments
// and image orientations by name, rotations in degrees, statusColors as a dictionary of
// [hue, saturation, brightness].
#include <optional>
#include <string_view>

#include "platform/foundation/plist_value.h"
#include "sim/scenario/snapshot_fields.h"

namespace platform {
class UIView;
}

namespace tarvo {
class Tarvo12;
}

namespace sim {

// At the device's current time.
platform::PlistDict hudSnapshot(const tarvo::Tarvo12& lib);

// One field, as the snapshot would hold it (statusColors whole, whatever its key).
std::optional<platform::PlistValue> readHudField(const tarvo::Tarvo12& lib, const SnapshotField& field);
// The field of this name; a name the table lacks is a programming error (std::logic_error).
std::optional<platform::PlistValue> readHudField(const tarvo::Tarvo12& lib, std::string_view name);

// Which of the HUD's views `view` is, if it is one.
std::optional<HudView> hudViewOf(const tarvo::Tarvo12& lib, const platform::UIView* view);

}  // namespace sim
