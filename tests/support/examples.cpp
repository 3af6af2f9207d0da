#include "support/examples.h"

#include <algorithm>
#include <cctype>

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

fs::path baselineFolder(const fs::path& scenarioFile) {
  fs::path relative = scenarioFile.lexically_relative(root());
  return relative.replace_extension();
}

std::string testNameOf(const fs::path& scenarioFile) {
  std::string name = baselineFolder(scenarioFile).generic_string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

}  // namespace examples
