#pragma once
// Checks one scenario inside this process: plays it as `run` does into its own output folder, at one
// pixel per point, and compares every capture and the first, middle and last frame of every recording with
// its baseline beside the scenario (NAME/FRAME.png). A scenario whose opening comment holds
// "# error: LINE:COLUMN: message" is an error case instead: parsing it must give exactly that error.
#include <filesystem>
#include <string>
#include <vector>

#include "sim/baselines/baseline_check.h"
#include "sim/scenario/scenario.h"
#include "sim/suite/scenario_result.h"

namespace sim::suite {

struct CheckOptions {
  std::filesystem::path out;  // the scenario's own output folder
  baselines::Rebaseline rebaseline = baselines::Rebaseline::None;
};

ScenarioResult checkScenario(const std::filesystem::path& file, const CheckOptions& options);

// Every capture, and the first, middle and last frames of each recording, in the order written.
std::vector<std::string> comparedFrames(const Scenario& scenario);
// Where a scenario's baselines live: the scenario's path without its extension.
std::filesystem::path baselineFolder(const std::filesystem::path& scenarioFile);
// Whether the opening comment of a scenario's text holds an "# error:" line.
bool isErrorCase(const std::string& text);
// The check of an error case, whose text has been read.
ScenarioResult checkErrorCase(const std::filesystem::path& file, std::string text, const CheckOptions& options);

}  // namespace sim::suite
