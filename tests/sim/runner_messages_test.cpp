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

namespace {

// Trace expectations are tallied as the trace streams: they must find what a scan of the whole trace
// finds, while the run keeps no event in memory.
TEST(RunnerMessages, TraceExpectationsAgreeWithTheWholeTrace) {
  const char* text =
      "launch\n"
      "at 0.5s press up 3 every 0.2s\n"
      "at 2s expect count timer.schedule where selector == \"tarvoHUDShouldHide:\" >= 1\n"
      "expect count timer.schedule from 0.4s to 1.5s == 0\n"         // fails: the presses schedule the hide
      "expect count sound where name exists last 1s >= 0\n"
      "expect order timer.schedule before timer.fire\n"               // fails: nothing has fired yet
      "at 5s expect order timer.schedule where selector == \"tarvoHUDShouldHide:\" before timer.fire "
      "where selector == \"tarvoHUDShouldHide:\"\n"
      "expect order timer.fire before timer.schedule from 0.5s\n"    // fails: found it after
      "expect count no.such.kind == 0\n";
  sim::Scenario scenario = sim::parseScenario(text, "t.scenario");
  auto play = [&](std::size_t kept, std::size_t* held) {
    sim::RunOptions options;
    options.keptTraceEvents = kept;
    sim::Runner runner(scenario, std::move(options));
    sim::RunResult result = runner.run();
    *held = runner.phone().device().trace().events().size();
    EXPECT_GT(runner.phone().device().trace().recorded(), 40u);
    return result;
  };
  std::size_t heldTallied = 0, heldWhole = 0;
  sim::RunResult tallied = play(0, &heldTallied);
  sim::RunResult whole = play(sim::kWholeTrace, &heldWhole);
  EXPECT_EQ(heldTallied, 0u);
  EXPECT_GT(heldWhole, 40u);
  EXPECT_EQ(tallied.expectations, 7u);
  EXPECT_EQ(tallied.failures, whole.failures);
  ASSERT_EQ(tallied.failures.size(), 3u);
  EXPECT_NE(tallied.failures[0].find("t.scenario:4:1: expected 0 timer.schedule events (==), found"),
            std::string::npos) << tallied.failures[0];
  EXPECT_NE(tallied.failures[1].find("t.scenario:6:1: expected timer.schedule before timer.fire, found no "
                                     "timer.fire event"), std::string::npos) << tallied.failures[1];
  EXPECT_NE(tallied.failures[2].find("t.scenario:8:1: expected timer.fire before timer.schedule, found it after"),
            std::string::npos) << tallied.failures[2];
}

}  // namespace
