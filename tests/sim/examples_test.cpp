#include <gtest/gtest.h>

#include <filesystem>

#include "sim/scenario/parse_scenario.h"

namespace {

// Every example a user may copy must parse; the runner's tests play them.
TEST(Examples, EveryScenarioUnderExamplesParses) {
  std::filesystem::path dir = std::filesystem::path(TARVO_SOURCE_DIR) / "examples";
  std::size_t parsed = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    if (entry.path().extension() != ".scenario") continue;
    try {
      sim::Scenario scenario = sim::loadScenario(entry.path());
      EXPECT_FALSE(scenario.steps.empty()) << entry.path();
      ++parsed;
    } catch (const sim::ScenarioError& error) {
      ADD_FAILURE() << error.what();
    }
  }
  EXPECT_GE(parsed, 10u);
}

TEST(Examples, LoadReportsUnreadableFiles) {
  try {
    sim::loadScenario("/nonexistent/missing.scenario");
    FAIL() << "no error";
  } catch (const sim::ScenarioError& error) {
    EXPECT_EQ(error.line(), 0u);
    EXPECT_NE(std::string(error.what()).find("/nonexistent/missing.scenario:0: cannot read the scenario"),
              std::string::npos);
  }
}

}  // namespace
