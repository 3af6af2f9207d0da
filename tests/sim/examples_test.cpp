// Every example scenario plays with all its expectations met: they are the simulator's documentation of
// each condition the system distinguishes, so they must stay true.
#include <gtest/gtest.h>

#include <filesystem>

#include "sim/runner.h"
#include "support/play.h"
#include "sim/scenario/parse_scenario.h"

namespace {

std::vector<std::string> exampleFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(TARVO_SOURCE_DIR) + "/examples"))
    if (entry.path().extension() == ".scenario") files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

class ExampleTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ExampleTest, PlaysWithEveryExpectationMet) {
  auto played = testing_support::playScenario(sim::loadScenario(GetParam()));
  EXPECT_GT(played.result.expectations, 0u) << "an example should check what it shows";
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = std::filesystem::path(info.param).stem().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTest, ::testing::ValuesIn(exampleFiles()), testName);

}  // namespace
