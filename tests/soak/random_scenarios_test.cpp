// The random-scenario generator of the fuzz target, driven by a seeded engine: every scenario it writes
// reads back, plays to its end, and keeps the invariants of a sound run after every step.
#include <gtest/gtest.h>

#include <random>
#include <utility>

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

// A fuzzer's bytes read as zeros once an input runs out of them. On a kept phone, what would wear it out
// (an app started, a split layout announced) is asked for rarely; a dry source must not ask for it.
TEST(RandomScenarios, ASourceThatRunsDryWearsNoKeptPhone) {
  class RunsDry : public fuzzing::Choices {
   public:
    explicit RunsDry(std::uint32_t first) : first_(first) {}
    std::uint32_t below(std::uint32_t n) override { return std::exchange(first_, 0) % n; }

   private:
    std::uint32_t first_;
  };
  sim::Scenario played;
  played.steps.push_back(sim::Step{"boot", 1, 0, sim::Launch{}});
  sim::StartApp app;
  app.bundle = "com.example.notes";
  played.steps.push_back(sim::Step{"boot", 2, 0, app});
  const struct {
    const char* what;
    std::uint32_t command;  // the generator's pick among its commands
  } kCases[] = {{"an app started", 3}, {"a split layout announced", 22}};
  for (const auto& c : kCases) {
    RunsDry choices(c.command);
    const sim::Scenario scenario = fuzzing::RandomScenario(choices, played).generate(1);
    for (std::size_t i = played.steps.size(); i < scenario.steps.size(); ++i) {
      const sim::Command& command = scenario.steps[i].command;
      const auto* split = std::get_if<sim::SetForceSplit>(&command);
      const auto* modern = std::get_if<sim::SetModernBar>(&command);
      const bool wears = std::holds_alternative<sim::StartApp>(command) || (split && split->split) ||
                         (modern && modern->modern);
      EXPECT_FALSE(wears) << c.what << ": " << sim::formatScenario(scenario);
    }
  }
}

}  // namespace
