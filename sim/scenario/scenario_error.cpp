#include "sim/scenario/scenario_error.h"

#include <utility>

#include "sim/scenario/source_excerpt.h"

namespace sim {

namespace {
std::string formatError(const std::string& file, std::size_t line, std::size_t column,
                        const std::string& message) {
  std::string where = file;
  if (line > 0) where += ":" + std::to_string(line);
  if (line > 0 && column > 0) where += ":" + std::to_string(column);
  return where + ": " + message;
}
}  // namespace

ScenarioError::ScenarioError(std::string file, std::size_t line, std::size_t column, std::string message,
                             std::string sourceLine)
    : std::runtime_error(formatError(file, line, column, message)),
      file_(std::move(file)),
      line_(line),
      column_(column),
      message_(std::move(message)),
      sourceLine_(std::move(sourceLine)) {}

std::string describe(const ScenarioError& error) {
  // Messages quote tokens, and a string token may hold any character an escape can write.
  std::string text = printable(error.what());
  if (error.line() == 0) return text;
  SourceExcerpt excerpt = excerptAround(error.sourceLine(), error.column());
  if (excerpt.line.empty() && error.column() <= 1) return text;
  text += "\n  " + excerpt.line;
  if (error.column() > 0) text += "\n  " + excerpt.caret;
  return text;
}

}  // namespace sim
