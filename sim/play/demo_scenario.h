#pragma once
// The built-in demo: the HUD's life in a few seconds on default settings. examples/demo.scenario holds the
// same text, for reading and editing.
#include <string_view>

namespace sim {

std::string_view demoScenarioText();

}  // namespace sim
