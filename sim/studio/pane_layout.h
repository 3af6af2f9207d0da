#pragma once
// The settings pane as the page draws it: every key of the settings table, grouped the way a person looks
// for them, each with the control that suits its kind, its default and a sensible range. The page builds
// the pane from this alone.
#include <nlohmann/json_fwd.hpp>

namespace sim::studio {

nlohmann::json paneLayout();

}  // namespace sim::studio
