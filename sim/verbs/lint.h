#pragma once
// What the system will make of a settings file. Answers 0 (no warnings), 1 (warnings) or 2 (bad input).
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace sim {

struct LintOptions {
  std::filesystem::path settings;
  std::optional<std::string> device;  // the HUD's geometry on this model only; every model without it
};
int runLint(const LintOptions& options, std::ostream& out, std::ostream& err);

}  // namespace sim
