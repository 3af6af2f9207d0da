#pragma once
// The example scenarios under examples/: the ones that play, and the parser error cases under
// examples/errors/.
#include <filesystem>
#include <string>
#include <vector>


namespace examples {

std::filesystem::path root();
// Every *.scenario file that plays, sorted; the error cases are not among them.
std::vector<std::filesystem::path> scenarioFiles();
// Where an example's baselines live, relative to root(): "quick-look", "split-layouts/neither".
std::filesystem::path baselineFolder(const std::filesystem::path& scenarioFile);
// A test name for the example: its baseline folder with every other character made an underscore.
std::string testNameOf(const std::filesystem::path& scenarioFile);

}  // namespace examples
