// Every example scenario plays with all its expectations met: they are the simulator's documentation of
// each condition the system distinguishes, so they must stay true.
#include <gtest/gtest.h>

#include <filesystem>

#include "sim/runner.h"
#include "support/example_files.h"
#include "support/play.h"
#include "sim/scenario/parse_scenario.h"

namespace {

class ExampleTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ExampleTest, PlaysWithEveryExpectationMet) {
  auto played = testing_support::playScenario(sim::loadScenario(GetParam()));
  EXPECT_GT(played.result.expectations, 0u) << "an example should check what it shows";
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTest, ::testing::ValuesIn(testing_support::exampleFiles()),
                         testing_support::exampleTestName);

}  // namespace
