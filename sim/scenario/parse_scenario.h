#pragma once
// The scenario language of tarvo12-sim: text in, a Scenario out, or a ScenarioError that says
// "file:line: what is wrong". docs/simulator.md describes the language.
#include <filesystem>
#include <string>
#include <string_view>

#include "sim/scenario/scenario.h"
#include "sim/scenario/scenario_error.h"

namespace sim {

// Deterministic: the same text always gives the same scenario. Throws ScenarioError.
Scenario parseScenario(std::string_view text, std::string fileName);

// Reads and parses a file; the file name in messages is the path as given. A file that cannot be read,
// or is larger than a scenario can sensibly be, is a ScenarioError on line 0.
Scenario loadScenario(const std::filesystem::path& path);

// The command words, in the order the documentation gives them.
std::string commandWordList();

}  // namespace sim
