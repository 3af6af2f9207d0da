#pragma once
// lint's geometry warnings: the HUD laid out on every model the simulator knows (or one), in both modes and
// the four orientations, each collision once with the models, orientations and modes it happens on.
#include <vector>

#include "sim/scenario/device_models.h"
#include "sim/lint/settings_lint.h"

namespace tarvo {
struct Settings;
}

namespace sim {

// `only` limits it to one model; nullptr is every model.
std::vector<LintWarning> geometryWarnings(const tarvo::Settings& settings, const DeviceModel* only = nullptr);

}  // namespace sim
