// The random-scenario generator of the fuzz target, driven by a seeded engine: every scenario it writes
// reads back, plays to its end, and keeps the invariants of a sound run after every step.
#include <gtest/gtest.h>

#include <random>

#include "fuzz/random_scenario.h"
#include "fuzz/run_invariants.h"
#include "sim/play/runner.h"
#include "sim/scenario/format_scenario.h"
#include "sim/scenario/parse_scenario.h"

namespace {

TEST(RandomScenarios, EveryOneParsesPlaysAndKeepsTheInvariants) {
  for (std::uint64_t seed = 1; seed <= 60; ++seed) {
    fuzzing::SeededChoices choices(seed);
    const std::string text = sim::formatScenario(fuzzing::RandomScenario(choices).generate(30));
    sim::Scenario scenario;
    try {
      scenario = sim::parseScenario(text, "random.scenario");
    } catch (const sim::ScenarioError& error) {
      ADD_FAILURE() << "seed " << seed << ": " << error.what() << "\n" << text;
      continue;
    }
    fuzzing::RunInvariants invariants;
    sim::Runner* running = nullptr;
    sim::RunOptions options;
    options.keptTraceEvents = 4096;  // the invariants read what arrived since the last step
    options.progress = [&](std::size_t, std::size_t) { invariants.check(running->phone()); };
    sim::Runner runner(scenario, std::move(options));
    running = &runner;
    runner.run();
    invariants.check(runner.phone());
    EXPECT_EQ(invariants.violation(), "") << "seed " << seed << "\n" << text;
  }
}

}  // namespace
