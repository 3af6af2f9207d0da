#include "sim/scenario/scenario_error.h"

#include <utility>

namespace sim {

namespace {
// "file:line: message" is what a person reads; the runner prints what() as it is.
std::string formatError(const std::string& file, std::size_t line, const std::string& message) {
  return file + ":" + std::to_string(line) + ": " + message;
}
}  // namespace

ScenarioError::ScenarioError(std::string file, std::size_t line, std::size_t column, std::string message)
    : std::runtime_error(formatError(file, line, message)),
      file_(std::move(file)),
      line_(line),
      column_(column),
      message_(std::move(message)) {}

}  // namespace sim
