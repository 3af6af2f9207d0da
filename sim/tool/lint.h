#pragma once
// What the system will make of a settings file. Answers 0 (no warnings), 1 (warnings) or 2 (bad input).
#include <filesystem>
#include <ostream>

namespace sim {

int runLint(const std::filesystem::path& settings, std::ostream& out, std::ostream& err);

}  // namespace sim
