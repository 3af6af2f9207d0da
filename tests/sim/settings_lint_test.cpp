// What lint tells a person about a settings file, and what the studio is told each colour draws.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/graphics/color_string.h"
#include "settings/settings.h"
#include "sim/lint/settings_lint.h"

namespace {

using platform::PlistDict;
using platform::PlistValue;

std::vector<std::string> warningsFor(const std::string& key, const PlistValue& value) {
  PlistDict file;
  file.set(key, value);
  std::vector<std::string> texts;
  // The HUD's geometry is checked elsewhere; its warnings name every key that moves the HUD.
  for (const auto& w : sim::lintSettings(file))
    if (w.key == key && w.alsoKeys.empty()) texts.push_back(w.text);
  return texts;
}

TEST(SettingsLint, WarnsAboutEachKeyFromWhatTheTableKnowsOfIt) {
  struct Case {
    const char* key;
    PlistValue value;
    const char* warning;  // nullptr: none
  } cases[] = {
      {"yPosition", PlistValue(25.0), nullptr},
      {"yPosition", PlistValue(-1.0), "yPosition is negative"},
      {"yPositionLandscape", PlistValue(2500.0), "yPositionLandscape is larger than any screen"},
      {"overlayCornerRadius", PlistValue(std::nan("")), "overlayCornerRadius is not a finite number"},
      {"durationDisplay", PlistValue(-0.1), "durationDisplay is negative: it counts as no time at all"},
      {"durationAnimation", PlistValue(1e300), "durationAnimation is not a finite number"},
      {"alignment", PlistValue(3), "alignment 3 is not 0, 1 or 2: the HUD is centred"},
      {"alignment", PlistValue(0), nullptr},
      {"sliderHeight", PlistValue("tall"), "sliderHeight holds a string, not a number: the default is used"},
      {"sliderWidth", PlistValue(4.0), "sliderWidth below 8: the slider has no room (its width goes negative)"},
      // Loaded into their variables, used by nothing: no range checks, only that they change nothing.
      {"statusBarHideRightX", PlistValue(true), "statusBarHideRightX is read by nothing: setting it changes nothing"},
      {"paddingTopBottomLandscape", PlistValue(-40.0),
       "paddingTopBottomLandscape is read by nothing: setting it changes nothing"},
      {"paddingRightLeftLandscape", PlistValue(5.0),
       "paddingRightLeftLandscape is read by nothing: setting it changes nothing"},
      {"minColor", PlistValue(7), "minColor is not a string: the default #7942D8:1.000000 is used"},
      {"maxColor", PlistValue("#FF0000:."), "maxColor \"#FF0000:.\" is not a colour string: it draws as opaque black"},
      {"overlayColor", PlistValue(" #FF0000"), nullptr},
      {"somethingElse", PlistValue(1), "unknown key \"somethingElse\": the system never reads it"},
  };
  for (const auto& c : cases) {
    auto texts = warningsFor(c.key, c.value);
    if (!c.warning) {
      EXPECT_TRUE(texts.empty()) << c.key << ": " << (texts.empty() ? "" : texts[0]);
    } else {
      ASSERT_EQ(texts.size(), 1u) << c.key;
      EXPECT_EQ(texts[0], c.warning);
    }
  }
}

// The verdict is what the HUD draws: the system's parser over the file's string or the fallback.
TEST(SettingsLint, ColourVerdictsAreWhatTheSystemDraws) {
  struct Case {
    PlistValue value;
    sim::ColourSource source;
    const char* drawn;  // parsed by the system's parser
  } cases[] = {
      {PlistValue(" #FF0000"), sim::ColourSource::File, "#FF0000"},
      {PlistValue("#00ff00:0.5"), sim::ColourSource::File, "#00FF00:0.5"},
      {PlistValue("#FF0000:."), sim::ColourSource::Malformed, "#000000"},
      {PlistValue("red"), sim::ColourSource::Malformed, "#000000"},
      {PlistValue(true), sim::ColourSource::NotAString, "#7942D8"},
  };
  for (const auto& c : cases) {
    PlistDict file;
    file.set("minColor", c.value);
    sim::ColourVerdict verdict = sim::colourVerdict(file, tarvo::kMinColor);
    EXPECT_EQ(verdict.source, c.source) << c.drawn;
    EXPECT_EQ(verdict.drawn, *platform::parseColorString(c.drawn)) << c.drawn;
  }
  sim::ColourVerdict absent = sim::colourVerdict(std::nullopt, tarvo::kOverlayColor);
  EXPECT_EQ(absent.source, sim::ColourSource::Default);
  EXPECT_EQ(absent.text, tarvo::kOverlayColor.fallback);
}

}  // namespace
