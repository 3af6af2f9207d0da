#pragma once
// The inspector: the view under a point of the screen, whether or not it takes touches (the HUD's window
// does not), with its window, class and frame on screen; for the HUD's views, their fields as `snapshot`
// records them and ready `expect` lines that hold now.
#include <nlohmann/json_fwd.hpp>

namespace sim::studio {

class StudioPhone;

// `x`, `y` in points of the portrait screen. {"hit": false} when no visible view is there.
nlohmann::json viewAtPoint(StudioPhone& phone, double x, double y);

}  // namespace sim::studio
