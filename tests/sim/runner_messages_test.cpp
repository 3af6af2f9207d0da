#include <gtest/gtest.h>

#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"

namespace {

TEST(RunnerMessages, AFailedExpectationShowsItsLineWithACaret) {
  sim::Scenario scenario = sim::parseScenario(
      "device iPhone9,3\nlaunch\n\tat 1s expect tarvoHUDWindow.hidden == false\n", "f.scenario");
  sim::Runner runner(scenario, {});
  sim::RunResult result = runner.run();
  ASSERT_EQ(result.failures.size(), 1u);
  const std::string& failure = result.failures[0];
  EXPECT_EQ(failure.rfind("f.scenario:3:2: expected ", 0), 0u) << failure;
  std::string shown = "\n  \tat 1s expect tarvoHUDWindow.hidden == false\n  \t^";
  ASSERT_GE(failure.size(), shown.size());
  EXPECT_EQ(failure.substr(failure.size() - shown.size()), shown) << failure;
}

}  // namespace
