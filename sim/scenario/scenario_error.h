#pragma once
// What the scenario parser reports for a malformed scenario: where, and what is wrong.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace sim {

class ScenarioError : public std::runtime_error {
 public:
  // line and column are 1-based; line 0 when the problem belongs to the whole file, column 0 when it
  // belongs to the whole line. `sourceLine` is the line as written, when the thrower has it.
  ScenarioError(std::string file, std::size_t line, std::size_t column, std::string message,
                std::string sourceLine = {});

  const std::string& file() const { return file_; }
  std::size_t line() const { return line_; }
  std::size_t column() const { return column_; }
  // The message alone, without "file:line:column: ".
  const std::string& message() const { return message_; }
  const std::string& sourceLine() const { return sourceLine_; }

 private:
  std::string file_;
  std::size_t line_;
  std::size_t column_;
  std::string message_;
  std::string sourceLine_;
};

// What a person reads: "file:line:column: message", then the line as written and a caret under the
// column, as compilers show it. Lines that cannot be shown safely are cleaned up first.
std::string describe(const ScenarioError& error);

}  // namespace sim
