#pragma once
// What the scenario parser reports for a malformed scenario: where, and what is wrong.
#include <cstddef>
#include <stdexcept>
#include <string>

namespace sim {

class ScenarioError : public std::runtime_error {
 public:
  // column is 1-based; 0 when the problem belongs to the whole line.
  ScenarioError(std::string file, std::size_t line, std::size_t column, std::string message);

  const std::string& file() const { return file_; }
  std::size_t line() const { return line_; }
  std::size_t column() const { return column_; }
  // The message alone, without "file:line: ".
  const std::string& message() const { return message_; }

 private:
  std::string file_;
  std::size_t line_;
  std::size_t column_;
  std::string message_;
};

}  // namespace sim
