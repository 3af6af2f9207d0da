#pragma once
// The example scenarios under examples/: the ones that play, the parser error cases under
// examples/errors/, and which of an example's frames have baselines.
#include <filesystem>
#include <string>
#include <vector>

#include "sim/scenario/scenario.h"

namespace examples {

std::filesystem::path root();
// Every *.scenario file that plays, sorted; the error cases are not among them.
std::vector<std::filesystem::path> scenarioFiles();
// examples/errors/*.scenario, sorted.
std::vector<std::filesystem::path> errorFiles();
// Where an example's baselines live, relative to root(): "quick-look", "split-layouts/neither".
std::filesystem::path baselineFolder(const std::filesystem::path& scenarioFile);
// Every capture, and the first, middle and last frames of each recording, in the order written.
std::vector<std::string> comparedFrames(const sim::Scenario& scenario);

}  // namespace examples
