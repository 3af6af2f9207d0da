#pragma once
// The scenario language of tarvo12-sim: text in, a Scenario out, or a ScenarioError that says
// "file:line: what is wrong". docs/simulator.md describes the language.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>
#include <string_view>

#include "sim/scenario/scenario.h"
#include "sim/scenario/scenario_error.h"

namespace sim {

// Deterministic: the same text always gives the same scenario. Throws ScenarioError.
Scenario parseScenario(std::string_view text, std::string fileName);

// Reads and parses a file; the file name in messages is the path as given. A file that cannot be read,
// or is larger than a scenario can sensibly be, is a ScenarioError on line 0.
Scenario loadScenario(const std::filesystem::path& path);

class ScenarioBuilder;

// Reads a scenario a statement at a time, each in the light of those before it (the launch, the apps
// started, the frame names taken), as a live session's command line does. The session has launched.
enum class FileReading { Allowed, Refused };

class LineReader {
 public:
  // With FileReading::Refused, a line naming a file to read (a PNG picture, a settings file) is refused.
  explicit LineReader(std::string fileName, FileReading files = FileReading::Allowed);
  ~LineReader();
  LineReader(LineReader&&) noexcept;
  LineReader& operator=(LineReader&&) noexcept;

  // The steps that `text` (one line, or a statement spread over lines) adds at time `now`; `wait` and `at`
  // move their times on from there. Setup lines are refused: the device is running. Throws
  // ScenarioError, with the line as written for the caret.
  std::vector<Step> read(std::string_view text, platform::Nanos now);

 private:
  std::unique_ptr<ScenarioBuilder> builder_;
};

// The command words, in the order the documentation gives them.
std::string commandWordList();

}  // namespace sim
