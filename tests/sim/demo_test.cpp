#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sim/demo_scenario.h"
#include "sim/runner.h"
#include "sim/scenario/parse_scenario.h"

namespace {

TEST(Demo, BuiltInTextIsTheExampleFile) {
  std::ifstream in(std::string(TARVO_SOURCE_DIR) + "/examples/demo.scenario");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), std::string(sim::demoScenarioText()));
}

TEST(Demo, PlaysWithEveryExpectationMet) {
  sim::Scenario scenario = sim::parseScenario(sim::demoScenarioText(), "demo");
  std::size_t frames = 0;
  sim::RunOptions options;
  options.frames = [&](const std::string&, platform::Nanos, sim::SimPhone&) { ++frames; };
  sim::Runner runner(scenario, std::move(options));
  sim::RunResult result = runner.run();
  for (const auto& failure : result.failures) ADD_FAILURE() << failure;
  EXPECT_GT(result.expectations, 5u);
  EXPECT_EQ(frames, 9u);
}

}  // namespace
