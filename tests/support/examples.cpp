#include "support/examples.h"

#include <algorithm>
#include <variant>

namespace examples {

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> scenariosUnder(const fs::path& folder, bool errors) {
  std::vector<fs::path> files;
  if (!fs::is_directory(folder)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().extension() != ".scenario") continue;
    bool isError = entry.path().lexically_relative(root()).begin()->string() == "errors";
    if (isError == errors) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

fs::path root() {
  return fs::path(TARVO_SOURCE_DIR) / "examples";
}

std::vector<fs::path> scenarioFiles() {
  return scenariosUnder(root(), false);
}

std::vector<fs::path> errorFiles() {
  return scenariosUnder(root() / "errors", true);
}

fs::path baselineFolder(const fs::path& scenarioFile) {
  fs::path relative = scenarioFile.lexically_relative(root());
  return relative.replace_extension();
}

std::vector<std::string> comparedFrames(const sim::Scenario& scenario) {
  std::vector<std::string> frames;
  for (const sim::Step& step : scenario.steps) {
    if (const auto* capture = std::get_if<sim::Capture>(&step.command)) frames.push_back(capture->name);
    if (const auto* record = std::get_if<sim::Record>(&step.command)) {
      std::size_t last = sim::frameCount(*record) - 1;
      for (std::size_t index : {std::size_t{0}, last / 2, last})
        if (frames.empty() || frames.back() != sim::frameName(*record, index))
          frames.push_back(sim::frameName(*record, index));
    }
  }
  return frames;
}

}  // namespace examples
