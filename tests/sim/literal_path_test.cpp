#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "hud/hud_caches.h"
#include "platform/foundation/trace.h"
#include "platform/render/renderer.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"
#include "support/examples.h"

namespace {

// One play of a scenario: every trace line, and the frames it captured, rendered at the device's scale.
struct Played {
  std::vector<std::string> trace;
  std::vector<std::pair<std::string, platform::CGImageRef>> frames;
  std::size_t failures = 0;
  tarvo::HudCaches::Counts work;
};

Played play(const std::filesystem::path& file, bool cached, bool render) {
  sim::Scenario scenario = sim::loadScenario(file);
  Played played;
  platform::Renderer renderer;
  sim::RunOptions options;
  options.keptTraceEvents = sim::kWholeTrace;
  if (render)
    options.frames = [&](const std::string& name, platform::Nanos, sim::SimPhone& phone) {
      played.frames.emplace_back(name, renderer.renderScreen(phone.device()));
    };
  sim::Runner runner(scenario, std::move(options));
  tarvo::HudCaches& caches = tarvo::HudCaches::of(runner.phone().springBoard());
  caches.setEnabled(cached);
  played.failures = runner.run().failures.size();
  for (const auto& event : runner.phone().device().trace().events())
    played.trace.push_back(platform::toJsonLine(event));
  played.work = caches.work();
  return played;
}

void expectSameTrace(const Played& cached, const Played& literal, const std::string& name) {
  ASSERT_EQ(cached.trace.size(), literal.trace.size()) << name;
  for (std::size_t i = 0; i < cached.trace.size(); ++i)
    ASSERT_EQ(cached.trace[i], literal.trace[i]) << name << ", trace line " << i + 1;
}

// The caches only keep what the literal path would make again: every example plays to the same trace.
TEST(LiteralPath, EveryExamplePlaysToTheSameTraceWithAndWithoutCaches) {
  std::size_t scenarios = 0;
  for (const auto& file : examples::scenarioFiles()) {
    ++scenarios;
    Played cached = play(file, true, false);
    Played literal = play(file, false, false);
    expectSameTrace(cached, literal, file.filename().string());
    EXPECT_EQ(cached.failures, literal.failures) << file;
  }
  EXPECT_GE(scenarios, 10u);
}

// And to the same pixels, frame by frame: colours from the file and from apps, icons in both modes and
// directions, every orientation.
class LiteralPathFrames : public testing::TestWithParam<const char*> {};

TEST_P(LiteralPathFrames, SamePixels) {
  auto file = examples::root() / GetParam();
  Played cached = play(file, true, true);
  Played literal = play(file, false, true);
  expectSameTrace(cached, literal, GetParam());
  ASSERT_EQ(cached.frames.size(), literal.frames.size());
  ASSERT_FALSE(cached.frames.empty());
  for (std::size_t i = 0; i < cached.frames.size(); ++i) {
    const auto& [name, image] = cached.frames[i];
    ASSERT_TRUE(image && literal.frames[i].second) << name;
    EXPECT_EQ(name, literal.frames[i].first);
    EXPECT_EQ(image->width(), literal.frames[i].second->width()) << name;
    EXPECT_TRUE(image->pixels() == literal.frames[i].second->pixels()) << name << " differs";
  }
  // The literal path does the work again on every show; the cached one decodes each icon at most once.
  EXPECT_GE(literal.work.decodes, cached.work.decodes);
  EXPECT_GE(literal.work.tints, cached.work.tints);
  EXPECT_LE(cached.work.decodes, 6u);
}

INSTANTIATE_TEST_SUITE_P(Examples, LiteralPathFrames,
                         testing::Values("demo.scenario", "settings-session.scenario",
                                         "right-to-left.scenario", "rotation.scenario",
                                         "dynamic-colours.scenario", "ringer.scenario"),
                         [](const auto& p) {
                           std::string name = p.param;
                           name = name.substr(0, name.find('.'));
                           for (char& c : name)
                             if (c == '-') c = '_';
                           return name;
                         });

}  // namespace
