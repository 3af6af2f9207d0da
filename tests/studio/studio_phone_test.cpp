// The studio's phone acts only through scenario commands, so its session written out as a scenario is
// what `tarvo12-sim run` replays to the same screen and the same HUD; and it keeps only what a replay needs.
#include "sim/studio/studio_phone.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "hud/tarvo12.h"
#include "platform/render/renderer.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"
#include "sim/studio/screen_watcher.h"
#include "sim/studio/studio_requests.h"

namespace {

platform::Nanos ms(int n) { return platform::Nanos{n} * 1'000'000; }

void act(sim::studio::StudioPhone& studio, const char* request) {
  sim::studio::parseAction(nlohmann::json::parse(request))(studio);
}

TEST(StudioPhone, ItsScenarioReplaysToTheSameFrame) {
  platform::PlistDict boot;
  boot.set("volumePercentage", true);
  sim::studio::StudioPhone studio(*sim::deviceModelNamed("iPhone8,4"), boot);
  studio.runUntil(ms(400));
  act(studio, R"({"kind": "press", "button": "up"})");
  studio.runUntil(ms(650));
  studio.run(sim::SetSetting{"sliderWidth", 150.0, {}});
  studio.run(sim::SetSetting{"minColor", std::string("#00FF00:0.750000"), {}});
  studio.runUntil(ms(900));
  act(studio, R"({"kind": "rotate", "orientation": "landscape-right"})");
  act(studio, R"({"kind": "press", "button": "down"})");
  studio.runUntil(ms(1210));
  act(studio, R"({"kind": "front", "app": "com.example.notes"})");
  act(studio, R"({"kind": "bar-colour", "colour": "#FF8800"})");
  act(studio, R"({"kind": "buttons", "mode": "ringer"})");
  studio.runLine("press up 2 every 0.05s");  // the second press is due later
  studio.runUntil(ms(1333));
  act(studio, R"({"kind": "ringer-switch", "position": "silent"})");
  act(studio, R"({"kind": "tap", "x": 160.257, "y": 20.5})");
  EXPECT_THROW(act(studio, R"({"kind": "tap", "x": 1000, "y": 20})"), sim::studio::BadRequest);
  studio.run(sim::RemoveSetting{"sliderWidth", {}});
  studio.runUntil(ms(1500));  // mid-animation: the moment must match to the millisecond

  const sim::studio::PhoneState& state = studio.state();
  EXPECT_EQ(state.orientation, 3);
  EXPECT_TRUE(state.silent && state.buttonsChangeRinger);
  EXPECT_EQ(state.front, "com.example.notes");
  EXPECT_EQ(state.barColours.at("com.example.notes"), "#FF8800");

  std::string text = studio.scenarioText();
  EXPECT_NE(text.find("press up\n"), std::string::npos) << text;
  EXPECT_NE(text.find("tap 160.26 20.5\n"), std::string::npos) << text;
  sim::Scenario scenario = sim::parseScenario(text, "studio");
  sim::Runner replay(scenario, {});
  replay.run();
  EXPECT_EQ(replay.phone().device().now(), studio.phone().device().now()) << text;

  platform::Renderer a, b;
  auto live = studio.phone().renderScreen(a, 1);
  auto replayed = replay.phone().renderScreen(b, 1);
  ASSERT_TRUE(live && replayed);
  EXPECT_TRUE(sim::studio::sameFrame(*live, *replayed)) << text;
  EXPECT_EQ(sim::hudSnapshot(*studio.phone().tarvo()), sim::hudSnapshot(*replay.phone().tarvo())) << text;
}

TEST(StudioPhone, CommandLineRunsLinesInTheSessionsLight) {
  sim::studio::StudioPhone studio(*sim::deviceModelNamed("iPhone10,3"), std::nullopt);
  studio.runUntil(ms(100));
  auto results = studio.runLine("app front Notes");  // a process name the boot gave
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].line, "app front com.example.notes");
  EXPECT_EQ(studio.state().front, "com.example.notes");

  results = studio.runLine("expect tarvoHUDWindow.hidden == false");
  ASSERT_EQ(results.size(), 1u);
  EXPECT_TRUE(results[0].outcome.expectation);
  ASSERT_TRUE(results[0].outcome.failure);
  EXPECT_NE(results[0].outcome.failure->find("found true"), std::string::npos) << *results[0].outcome.failure;

  struct Bad {
    const char* line;
    const char* message;
  };
  for (const Bad& bad : {Bad{"press sideways", "expected up or down"}, Bad{"device iPhone8,4", "before every other"},
                         Bad{"launch", "already launched"}, Bad{"capture studio", "already captured"},
                         Bad{"app front Nobody", "no app"}}) {
    try {
      studio.runLine(bad.line);
      ADD_FAILURE() << bad.line << " was accepted";
    } catch (const sim::ScenarioError& error) {
      EXPECT_NE(error.message().find(bad.message), std::string::npos) << bad.line << ": " << error.message();
      EXPECT_EQ(error.sourceLine(), bad.line);
    }
  }
  EXPECT_EQ(studio.scenarioText().find("sideways"), std::string::npos);
}

// A file imported again and again, then an empty one: the session keeps the settings as they stand when
// something else happens, not every file written.
TEST(StudioPhone, ImportsKeepOnlyTheFileThatStands) {
  platform::PlistDict large;
  for (int i = 0; i < 3000; ++i) large.set("key" + std::to_string(i), i);
  sim::studio::StudioPhone studio(*sim::deviceModelNamed("iPhone10,3"), std::nullopt);
  const std::size_t bootSteps = studio.session().steps.size();
  for (int i = 0; i < 10; ++i) {
    studio.runUntil(ms(10 * (i + 1)));
    studio.importSettings(large);
  }
  studio.importSettings({});
  EXPECT_EQ(studio.session().steps.size(), bootSteps + 1);
  EXPECT_LT(studio.scenarioText().size(), 1000u) << studio.scenarioText();

  // A press between them is a point a replay needs the settings at.
  studio.importSettings(large);
  studio.run(sim::PressButton{sim::VolumeButton::Up, {studio.phone().device().now()}});
  studio.importSettings({});
  EXPECT_EQ(studio.session().steps.size(), bootSteps + 3);

  // A dictionary a line cannot hold (a NUL in a key) is written as the bytes the pane writes.
  platform::PlistDict odd;
  odd.set(std::string("a\0b", 3), 1);
  studio.importSettings(odd);
  sim::Scenario replay = sim::parseScenario(studio.scenarioText(), "studio");
  EXPECT_TRUE(std::holds_alternative<sim::WriteSettingsFile>(replay.steps[replay.steps.size() - 2].command));
}

}  // namespace
