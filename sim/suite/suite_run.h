#pragma once
// Runs the checks of a suite's scenarios, each in a process of its own (the simulator itself, checking
// one scenario), at most `jobs` at once, each killed past its time-out.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sim/baselines/baseline_check.h"
#include "sim/suite/scenario_result.h"

namespace sim::suite {

// The hidden verb a checking process runs: `tarvo12-sim check-scenario FILE --out DIR [--rebaseline M]`.
inline constexpr const char* kCheckVerb = "check-scenario";
inline constexpr const char* kResultFile = "result.json";

struct SuiteRun {
  std::filesystem::path simulator;  // the executable that checks one scenario
  std::filesystem::path out;        // each scenario's outputs go below it
  std::size_t jobs = 1;
  std::chrono::milliseconds timeout{60'000};
  baselines::Rebaseline rebaseline = baselines::Rebaseline::None;
  // After each scenario: how many are done of how many, and the result.
  std::function<void(std::size_t done, std::size_t total, const ScenarioResult& result)> finished;
};

// One result per file, in the order of `files`.
std::vector<ScenarioResult> runSuite(const std::vector<std::filesystem::path>& files, const SuiteRun& run);

// "failing", "missing" or "" (none); false for anything else.
bool parseRebaseline(const std::string& text, baselines::Rebaseline& mode);
std::string_view nameOf(baselines::Rebaseline mode);

// Whether CI is set to anything but "", "0" or "false".
bool inContinuousIntegration();

}  // namespace sim::suite
