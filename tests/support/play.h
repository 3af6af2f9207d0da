#pragma once
// Plays a scenario in a test: every failed expectation becomes a test failure; frames are only counted.
#include <gtest/gtest.h>

#include "sim/play/runner.h"

namespace testing_support {

struct PlayOutcome {
  sim::RunResult result;
  std::size_t frames = 0;
};

inline PlayOutcome playScenario(const sim::Scenario& scenario) {
  PlayOutcome outcome;
  sim::RunOptions options;
  options.frames = [&outcome](const std::string&, platform::Nanos, sim::SimPhone&) { ++outcome.frames; };
  sim::Runner runner(scenario, std::move(options));
  outcome.result = runner.run();
  for (const auto& failure : outcome.result.failures) ADD_FAILURE() << failure;
  return outcome;
}

}  // namespace testing_support
