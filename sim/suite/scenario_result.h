#pragma once
// What checking one scenario found: its expectations, each compared frame's verdict, and what went wrong
// around them (a malformed file, a crash, a time-out). The checking process writes it as JSON beside the
// scenario's outputs, for the process that runs the suite to read.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/baselines/baseline_check.h"

namespace sim::suite {

enum class Result { Passed, Failed, ExpectedFailure, UnexpectedPass, MissingBaseline };

struct FrameResult {
  std::string name;
  baselines::Verdict verdict;
};

struct ScenarioResult {
  std::filesystem::path file;
  std::filesystem::path out;  // its output folder
  bool errorCase = false;     // a scenario that must fail to parse with the error it states
  std::size_t expectations = 0;
  std::vector<std::string> expectationFailures;  // "file:line:column: ...", the line, a caret
  std::vector<FrameResult> frames;
  std::string malformed;  // the parser's message, when it refused the file
  std::string crashed;    // how the checking process ended, when it did not finish
  bool timedOut = false;
  std::vector<std::string> problems;  // anything else that fails the scenario, e.g. "checks nothing"
  std::string missingError;           // an error case whose message is not written yet
  std::vector<std::string> written;   // what --rebaseline wrote besides frames: error lines
  double seconds = 0;

  // Missing baselines fail in continuous integration.
  Result result(bool continuousIntegration) const;
  // Why it fails the run: "expectation", "frame", "malformed", "crashed", "timed out", "unexpected pass",
  // "missing baseline" (in continuous integration only); empty when it does not.
  std::vector<std::string> failureKinds(bool continuousIntegration) const;
};

// "passed", "failed", "expected failure", "unexpected pass", "missing baseline".
std::string_view nameOf(Result result);
// Whether the result fails the run.
bool fails(Result result, bool continuousIntegration);

std::string toJson(const ScenarioResult& result);
// Nothing when the text is not a result this version wrote.
std::optional<ScenarioResult> resultFromJson(std::string_view text);

}  // namespace sim::suite
