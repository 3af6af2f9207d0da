// Every example scenario plays with all its expectations met, and every frame a person could look at in
// it matches its baseline beside the example (examples/NAME/FRAME.png): the examples are the simulator's
// documentation of each condition the system distinguishes, so they must stay true to the pixel.
#include "support/examples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/render/renderer.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"
#include "support/baselines/baseline_check.h"
#include "support/baselines/verdict_report.h"

namespace {

namespace fs = std::filesystem;

// Baselines are drawn at one pixel per point: small files, and a one-point move still shows.
constexpr double kBaselineScale = 1;

// A PNG in an example's folder that no frame of the example makes any more would pin nothing.
void expectNoStrayBaselines(const fs::path& folder, const std::vector<std::string>& frames) {
  if (!fs::is_directory(folder)) return;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".png") continue;
    std::string stem = entry.path().stem().string();
    if (std::find(frames.begin(), frames.end(), stem) == frames.end())
      ADD_FAILURE() << entry.path().string() << " is the baseline of no frame the example makes; delete it";
  }
}

class ExampleTest : public ::testing::TestWithParam<fs::path> {};

TEST_P(ExampleTest, PlaysWithEveryExpectationMetAndEveryFrameMatchesItsBaseline) {
  sim::Scenario scenario = sim::loadScenario(GetParam());
  std::vector<std::string> frames = examples::comparedFrames(scenario);
  std::set<std::string> wanted(frames.begin(), frames.end());
  fs::path folder = examples::baselineFolder(GetParam());
  baselines::BaselineSet set{examples::root(), fs::path(TARVO_BUILD_DIR) / "baseline-results",
                             baselines::rebaselineFromEnvironment()};

  platform::Renderer renderer;
  std::size_t compared = 0;
  sim::RunOptions options;
  options.frames = [&](const std::string& name, platform::Nanos, sim::SimPhone& phone) {
    if (!wanted.count(name)) return;
    platform::CGImageRef image = phone.renderScreen(renderer, kBaselineScale);
    ASSERT_TRUE(image) << name << " rendered nothing";
    ++compared;
    baselines::report((folder / name).string(), baselines::checkFrame(set, folder / name, *image));
  };
  sim::Runner runner(scenario, std::move(options));
  sim::RunResult result = runner.run();
  for (const auto& failure : result.failures) ADD_FAILURE() << failure;
  EXPECT_GT(result.expectations, 0u) << "an example should check what it shows";
  EXPECT_EQ(compared, frames.size()) << "every capture and sampled recording frame is compared";
  expectNoStrayBaselines(examples::root() / folder, frames);
}

std::string testName(const ::testing::TestParamInfo<fs::path>& info) { return examples::testNameOf(info.param); }

INSTANTIATE_TEST_SUITE_P(Examples, ExampleTest, ::testing::ValuesIn(examples::scenarioFiles()), testName);

}  // namespace
