// Frames of whole scenarios compared with PNGs under tests/golden/ (TARVO_UPDATE_GOLDEN=1 rewrites them).
// Rendered at one pixel per point to keep the baselines small.
#include <gtest/gtest.h>

#include "platform/render/renderer.h"
#include "sim/runner.h"
#include "sim/scenario/parse_scenario.h"
#include "support/golden.h"

namespace {

struct Case {
  const char* name;
  const char* scenario;
  std::vector<platform::CGRect> textRegions;  // the percentage label and the status bar's text
};

platform::CGImageRef frameOf(const std::string& text) {
  sim::Scenario scenario = sim::parseScenario(text, "golden");
  platform::Renderer renderer;
  platform::CGImageRef frame;
  sim::RunOptions options;
  options.frames = [&](const std::string&, platform::Nanos, sim::SimPhone& phone) {
    frame = phone.renderScreen(renderer, 1);
  };
  sim::Runner runner(scenario, std::move(options));
  auto result = runner.run();
  for (const auto& failure : result.failures) ADD_FAILURE() << failure;
  return frame;
}

class GoldenFrameTest : public ::testing::TestWithParam<Case> {};

TEST_P(GoldenFrameTest, MatchesBaseline) {
  const Case& c = GetParam();
  golden::Tolerance tolerance;
  tolerance.textRegions = c.textRegions;
  golden::expectMatchesGolden(frameOf(c.scenario), std::string("sim_") + c.name, tolerance, 1);
}

const Case kCases[] = {
    {"default_portrait",
     "device iPhone9,3\nlevel media 0.5\nsettings set volumePercentage true\n"
     "app start com.example.notes name Notes bar classic color #000000\napp front com.example.notes\n"
     "at 0.1s press up\nat 0.8s capture shown\n",
     {{{0, 0}, {375, 20}}, {{300, 0}, {75, 40}}}},
    {"landscape_left_from_bottom",
     "device iPhone10,3\nsettings replace { fromBottom = true, alignment = 0, blurBackground = true }\n"
     "rotate landscape-left\nat 0.1s press down\nat 0.8s capture shown\n",
     {{{0, 0}, {375, 44}}}},
    {"ringer_silent_right_items_hidden",
     "device iPhone9,3\nsettings replace { statusBarHideRight = true, singleIndicator = false, "
     "minColor = \"#FF3B30:1.000000\" }\nat 0.1s ringer-switch silent\nat 0.8s capture shown\n",
     {{{0, 0}, {375, 20}}}},
};

INSTANTIATE_TEST_SUITE_P(Scenarios, GoldenFrameTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

}  // namespace
