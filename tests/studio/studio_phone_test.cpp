// The studio's phone written out as a scenario: `tarvo12-sim run` replays it to the same screen and the
// same HUD.
#include "sim/studio/studio_phone.h"

#include <gtest/gtest.h>

#include "platform/render/renderer.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"
#include "sim/studio/screen_watcher.h"
#include "hud/tarvo12.h"

namespace {

platform::Nanos ms(int n) { return platform::Nanos{n} * 1'000'000; }

TEST(StudioPhone, ItsScenarioReplaysToTheSameFrame) {
  platform::PlistDict boot;
  boot.set("volumePercentage", true);
  sim::studio::StudioPhone studio(*sim::deviceModelNamed("iPhone8,4"), boot);
  studio.runUntil(ms(400));
  studio.press(true);
  studio.runUntil(ms(650));
  studio.setSetting("sliderWidth", 150.0);
  studio.setSetting("minColor", "#00FF00:0.750000");
  studio.runUntil(ms(900));
  studio.rotate(3);
  studio.press(false);
  studio.runUntil(ms(1210));
  studio.bringToFront("com.example.notes");
  studio.setBarColour("#FF8800");
  studio.setButtonsChangeRinger(true);
  studio.press(true);
  studio.runUntil(ms(1333));
  studio.setRingerSwitch(true);
  EXPECT_TRUE(studio.tap(160.257, 20.5));
  EXPECT_FALSE(studio.tap(1000, 20));
  studio.resetSetting("sliderWidth");
  studio.runUntil(ms(1500));  // mid-animation: the moment must match to the millisecond

  std::string text = studio.scenarioText();
  sim::Scenario scenario = sim::parseScenario(text, "studio");
  sim::Runner replay(scenario, {});
  replay.run();
  EXPECT_EQ(replay.phone().device().now(), studio.phone().device().now()) << text;

  platform::Renderer a, b;
  auto live = studio.phone().renderScreen(a, 1);
  auto replayed = replay.phone().renderScreen(b, 1);
  ASSERT_TRUE(live && replayed);
  EXPECT_EQ(sim::studio::frameHash(*live), sim::studio::frameHash(*replayed)) << text;
  EXPECT_EQ(sim::hudSnapshot(*studio.phone().tarvo()), sim::hudSnapshot(*replay.phone().tarvo())) << text;
}

}  // namespace
