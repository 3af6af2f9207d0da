// lint's geometry checks: the collisions a person would see, with their numbers, on the models and in the
// orientations they happen; the HUD where the system puts it; a clean file clean everywhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "hud/tarvo12.h"
#include "platform/foundation/plist_file.h"
#include "platform/uikit/window.h"
#include "sim/lint/hud_placement.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"
#include "sim/lint/settings_lint.h"

namespace {

using platform::PlistDict;

PlistDict file(std::initializer_list<std::pair<const char*, platform::PlistValue>> values) {
  PlistDict dict;
  for (const auto& [key, value] : values) dict.set(key, value);
  return dict;
}

std::vector<std::string> texts(const std::vector<sim::LintWarning>& warnings) {
  std::vector<std::string> out;
  for (const auto& w : warnings) out.push_back(w.text);
  return out;
}

bool has(const std::vector<std::string>& all, const std::string& text) {
  return std::find(all.begin(), all.end(), text) != all.end();
}

TEST(GeometryLint, CollisionsWithTheirNumbersModelsAndOrientations) {
  const PlistDict demo =
      file({{"dynamicColors", true}, {"volumePercentage", true}, {"statusBarHideTimeX", true}});
  struct Case {
    const char* name;
    PlistDict settings;
    const char* model;                  // nullptr: every model
    std::vector<std::string> expected;  // among the warnings
  } cases[] = {
      {"the percentage on: the left 67 points under the X's housing",
       demo,
       "iPhone10,3",
       {"the HUD's left 67 points lie under the sensor housing, on iPhone X in portrait and "
        "portrait-upside-down",
        "the HUD covers the status bar's battery, wi-fi and signal strength, which it does not hide, on "
        "iPhone X "
        "in portrait and portrait-upside-down"}},
      {"the defaults: 27 points under the housing on every 375-point notched phone",
       {},
       nullptr,
       {"the HUD's left 27 points lie under the sensor housing, on iPhone X, iPhone XS and iPhone 11 Pro in "
        "portrait and portrait-upside-down"}},
      {"full width in landscape: 862 points on an 812-point screen, 25 cut off at each end",
       file({{"fullWidth", true}, {"alignment", 1}, {"volumePercentage", true}}),
       "iPhone10,3",
       {"the HUD is 862 points wide on the 812-point screen: 25 points at the left and 25 points at the "
        "right "
        "are cut off, on iPhone X in landscape-right and landscape-left"}},
      {"the top-left corner, through the HUD's own rounding",
       file({{"alignment", 0}, {"yPosition", 0.0}, {"rightLeftFixed", 0.0}}),
       "iPhone13,4",
       {"the HUD reaches 20 points into the rounded top-left corner, on iPhone 12 Pro Max in portrait and "
        "portrait-upside-down"}},
      {"above the top of a classic phone, over its bar's battery",
       file({{"yPosition", -4.0}}),
       "iPhone9,3",
       {"the HUD leaves the screen by 4 points at the top, on iPhone 7 in portrait and portrait-upside-down",
        "the HUD covers the status bar's battery and battery percentage, which it does not hide, on iPhone 7 "
        "in "
        "portrait and portrait-upside-down"}},
      {"the time area setting hides nothing on the 11: its split bar is not the model test's",
       file({{"statusBarHideTimeX", true}, {"alignment", 0}, {"yPosition", 10.0}, {"rightLeftFixed", 10.0}}),
       "iPhone12,1",
       {"the HUD covers the status bar's time, which it does not hide, on iPhone 11 in portrait and "
        "portrait-upside-down"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const sim::DeviceModel* model = c.model ? sim::deviceModelNamed(c.model) : nullptr;
    const auto got = texts(sim::lintSettings(c.settings, model));
    for (const auto& text : c.expected)
      EXPECT_TRUE(has(got, text)) << text << "\nnot among:\n" << ::testing::PrintToString(got);
  }
}

TEST(GeometryLint, WhatTheHudHidesIsNotReported) {
  struct Case {
    const char* model;
    PlistDict settings;
  } cases[] = {
      // Aligned left on the X: the time is the only item under it, and the time area hides it.
      {"iPhone10,3", file({{"statusBarHideTimeX", true}, {"alignment", 0}, {"yPosition", 34.0}})},
      // The classic bar's right side, hidden by its own rule.
      {"iPhone9,3", file({{"statusBarHideRight", true}})},
      // The whole bar.
      {"iPhone12,1", file({{"statusBarHideAll", true}, {"alignment", 1}, {"yPosition", 34.0}})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.model);
    for (const auto& text : texts(sim::lintSettings(c.settings, sim::deviceModelNamed(c.model))))
      EXPECT_EQ(text.find("status bar"), std::string::npos) << text;
  }
}

TEST(GeometryLint, TheCleanExampleFilePassesOnEveryModel) {
  auto prefs = platform::readPlistDictionary(TARVO_SOURCE_DIR "/examples/files/fits-every-phone.plist");
  ASSERT_TRUE(prefs);
  EXPECT_EQ(texts(sim::lintSettings(prefs)), std::vector<std::string>{});
}

TEST(GeometryLint, WarningsNameTheKeysThatMoveTheHud) {
  auto warnings = sim::lintSettings(file({{"volumePercentage", true}}), sim::deviceModelNamed("iPhone10,3"));
  auto housing = std::find_if(warnings.begin(), warnings.end(),
                              [](const auto& w) { return w.text.find("housing") != std::string::npos; });
  ASSERT_NE(housing, warnings.end());
  std::vector<std::string> keys{housing->key};
  keys.insert(keys.end(), housing->alsoKeys.begin(), housing->alsoKeys.end());
  EXPECT_EQ(keys, (std::vector<std::string>{"yPosition", "rightLeftFixed", "alignment"}));
}

// The window lint lays out is the window the booted phone shows, in every orientation.
TEST(GeometryLint, PlacementIsTheWindowOnThePhone) {
  for (int orientation : {1, 2, 3, 4}) {
    SCOPED_TRACE(orientation);
    const std::string text =
        "device iPhone13,1\nsettings replace { volumePercentage = true, alignment = 0, "
        "yPositionLandscape = 30 }\nlaunch\nrotate " +
        std::to_string(orientation) + "\nat 0.1s press up\nwait 0.7s\n";
    sim::Scenario scenario = sim::parseScenario(text, "placement");
    sim::Runner runner(scenario, sim::RunOptions{});
    runner.run();
    tarvo::Tarvo12* lib = runner.phone().tarvo();
    ASSERT_TRUE(lib);
    const platform::CGRect shown = lib->views.tarvoHUDWindow->frame();
    const sim::HudPlacement placed =
        sim::placeHud(lib->settings, *sim::deviceModelNamed("iPhone13,1"),
                      static_cast<tarvo::InterfaceOrientation>(orientation), tarvo::VolumeMode::Media);
    EXPECT_NEAR(placed.window.origin.x, shown.origin.x, 1e-9);
    EXPECT_NEAR(placed.window.origin.y, shown.origin.y, 1e-9);
    EXPECT_NEAR(placed.window.size.width, shown.size.width, 1e-9);
    EXPECT_NEAR(placed.window.size.height, shown.size.height, 1e-9);
  }
}

}  // namespace
