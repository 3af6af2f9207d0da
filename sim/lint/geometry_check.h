#pragma once
// Where the HUD collides with a phone in one orientation and mode: it leaves the screen, lies under the
// sensor housing or in a rounded corner, or covers status bar items it does not hide while it shows.
#include <string>
#include <vector>

#include "hud/modes.h"
#include "platform/graphics/geometry.h"
#include "sim/scenario/device_models.h"

namespace tarvo {
struct Settings;
}

namespace sim {

struct Collision {
  enum class Kind { OffScreen, Housing, Corner, StatusBar };
  Kind kind;
  std::string what;               // "the HUD's left 67 points lie under the sensor housing"
  std::string brief;              // "housing: left 67 pt", for a label under a frame
  platform::CGRect area;          // the part that collides, in portrait screen points, clipped to the screen
  std::vector<std::string> keys;  // the settings keys that move it
};

// Smaller overlaps than this many points go unreported: nobody sees them.
inline constexpr double kLeastCollision = 0.5;

// The status bar is checked in the upright orientations only: in landscape the phone hides it.
std::vector<Collision> checkHudGeometry(const tarvo::Settings& settings, const DeviceModel& model,
                                        tarvo::InterfaceOrientation orientation, tarvo::VolumeMode mode);

// "67", "2.5": points as a person reads them, to a tenth.
std::string formatPoints(double points);

}  // namespace sim
