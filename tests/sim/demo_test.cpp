#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "sim/play/demo_scenario.h"
#include "sim/play/runner.h"
#include "support/play.h"
#include "sim/scenario/parse_scenario.h"

namespace {

TEST(Demo, BuiltInTextIsTheExampleFile) {
  std::ifstream in(std::string(TARVO_SOURCE_DIR) + "/examples/demo.scenario");
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), std::string(sim::demoScenarioText()));
}

TEST(Demo, PlaysWithEveryExpectationMet) {
  auto played = testing_support::playScenario(sim::parseScenario(sim::demoScenarioText(), "demo"));
  EXPECT_GT(played.result.expectations, 5u);
  EXPECT_EQ(played.frames, 9u);
}

}  // namespace
