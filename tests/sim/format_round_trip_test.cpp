// Formatting is the parser's inverse: every scenario written back as text parses to the same setup, the
// same commands at the same times, and the same end. Fed by every example and by the random-scenario
// generator, which produces every kind of command with its options, so a kind or an option the formatter
// misses fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "fuzz/random_scenario.h"
#include "sim/scenario/format_scenario.h"
#include "sim/scenario/parse_scenario.h"

namespace {

// What a replay depends on; where the lines were written does not count.
void expectSame(const sim::Scenario& original, const sim::Scenario& parsed, const std::string& text) {
  EXPECT_TRUE(parsed.setup == original.setup) << text;
  EXPECT_EQ(parsed.end, original.end) << text;
  ASSERT_EQ(parsed.steps.size(), original.steps.size()) << text;
  for (std::size_t i = 0; i < original.steps.size(); ++i) {
    const sim::Step& a = original.steps[i];
    const sim::Step& b = parsed.steps[i];
    const std::string line = sim::formatCommand(a.command, {a.time, a.beforeDue});
    EXPECT_EQ(b.time, a.time) << line;
    EXPECT_EQ(b.beforeDue, a.beforeDue) << line;
    // A real that is not a number equals nothing, itself included: such a command is the same when it
    // writes the same line.
    if (!(b.command == a.command)) {
      EXPECT_EQ(sim::formatCommand(b.command, {b.time, b.beforeDue}), line);
    }
    EXPECT_EQ(b.command.index(), a.command.index()) << line;
  }
}

void roundTrip(const sim::Scenario& original) {
  const std::string text = sim::formatScenario(original);
  sim::Scenario parsed;
  try {
    parsed = sim::parseScenario(text, original.file);
  } catch (const sim::ScenarioError& error) {
    FAIL() << error.what() << "\n" << text;
  }
  expectSame(original, parsed, text);
}

TEST(FormatRoundTrip, EveryExampleReadsBackAsItself) {
  std::size_t scenarios = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(TARVO_SOURCE_DIR "/examples")) {
    if (entry.path().extension() != ".scenario" || entry.path().string().find("/errors/") != std::string::npos)
      continue;
    SCOPED_TRACE(entry.path().string());
    roundTrip(sim::loadScenario(entry.path()));
    ++scenarios;
  }
  EXPECT_GT(scenarios, 20u);
}

TEST(FormatRoundTrip, GeneratedScenariosCoverEveryKindAndReadBack) {
  std::set<std::size_t> kinds;
  for (std::uint64_t seed = 1; seed <= 300; ++seed) {
    fuzzing::SeededChoices choices(seed);
    fuzzing::RandomScenario generator(choices);
    sim::Scenario scenario = generator.generate(40);
    for (const sim::Step& step : scenario.steps) kinds.insert(step.command.index());
    SCOPED_TRACE("seed " + std::to_string(seed));
    roundTrip(scenario);
    if (HasFailure()) return;
  }
  for (std::size_t kind = 0; kind < std::variant_size_v<sim::Command>; ++kind)
    EXPECT_TRUE(kinds.count(kind)) << "the generator never produces command kind " << kind;
}

}  // namespace
