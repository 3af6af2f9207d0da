#pragma once
// The suite's results as one HTML page a person opens from the file system: no network, no framework.
// A row per scenario with its result and time and links to its outputs (trace, frames, contact sheet,
// log); below each row that did not pass, the failed expectations with their line and caret, and for each
// failing frame the baseline, the actual frame and the diff side by side, with a view that flips between
// baseline and actual. The three images are inside the page, so that it can be kept or sent as it is.
#include <filesystem>
#include <vector>

#include "sim/suite/scenario_result.h"

namespace sim::suite {

// Writes DIR/index.html; throws std::runtime_error when it cannot. Answers the page's path.
std::filesystem::path writeHtmlReport(const std::filesystem::path& dir, const std::vector<ScenarioResult>& results,
                                      bool continuousIntegration);

}  // namespace sim::suite
