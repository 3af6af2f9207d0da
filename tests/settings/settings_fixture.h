#pragma once
// Shared by the settings tests: a host process with a settings file, and our own copy of the table.
#include <gtest/gtest.h>

#include <cstdint>
#include <variant>
#include <vector>

#include "platform/device/device.h"
#include "platform/foundation/plist_file.h"
#include "settings/preferences.h"
#include "settings/settings.h"

namespace tarvo::testing {

// Written out by hand from the documented table rather than derived from kSettingsTable, so that a wrong
// key, default or member in the library's table shows up as a difference.
struct ExpectedSetting {
  const char* key;
  const char* variable;
  std::variant<bool Settings::*, std::int32_t Settings::*, float Settings::*> member;
  double defaultValue;
};

inline std::vector<ExpectedSetting> expectedTable() {
  using S = Settings;
  return {
      {"isEnabled", "ENABLED", &S::ENABLED, 1},
      {"dynamicColors", "DYNCOLORS", &S::DYNCOLORS, 0},
      {"volumePercentage", "VOLUMEPERCENTAGE", &S::VOLUMEPERCENTAGE, 0},
      {"blurBackground", "BLUR", &S::BLUR, 0},
      {"mediaIndicator", "MEDIAINDICATOR", &S::MEDIAINDICATOR, 1},
      {"ringerIndicator", "RINGERINDICATOR", &S::RINGERINDICATOR, 1},
      {"singleIndicator", "SINGLEINDICATOR", &S::SINGLEINDICATOR, 1},
      {"overlayBackground", "OVERLAYBACKGROUND", &S::OVERLAYBACKGROUND, 1},
      {"dropShadow", "DROPDSHADOW", &S::DROPDSHADOW, 1},
      {"statusBarHideTime", "SBHIDETIME", &S::SBHIDETIME, 0},
      {"statusBarHideLeft", "SBHIDELEFT", &S::SBHIDELEFT, 0},
      {"statusBarHideRight", "SBHIDERIGHT", &S::SBHIDERIGHT, 0},
      {"statusBarHideAll", "SBHIDEALL", &S::SBHIDEALL, 0},
      {"statusBarHideTimeX", "SBHIDETIMEX", &S::SBHIDETIMEX, 0},
      {"statusBarHideRightX", "SBHIDERIGHTX", &S::SBHIDERIGHTX, 0},
      {"fullWidth", "FULLWIDTH", &S::FULLWIDTH, 0},
      {"alignment", "ALIGNMENT", &S::ALIGNMENT, 2},
      {"fromBottom", "FROMBOTTOM", &S::FROMBOTTOM, 0},
      {"yPosition", "YPOSITION", &S::YPOSITION, 10},
      {"yPositionLandscape", "YPOSITIONLANDSCAPE", &S::YPOSITIONLANDSCAPE, 10},
      {"rightLeftFixed", "RIGHTLEFTFIXED", &S::RIGHTLEFTFIXED, 10},
      {"rightLeftFixedLandscape", "RIGHTLEFTFIXEDLANDSCAPE", &S::RIGHTLEFTFIXEDLANDSCAPE, 10},
      {"paddingTopBottom", "PADDINGTOPBOTTOM", &S::PADDINGTOPBOTTOM, 12},
      {"paddingTopBottomLandscape", "PADDINGTOPBOTTOMLANDSCAPE", &S::PADDINGTOPBOTTOMLANDSCAPE, 12},
      {"paddingRightLeft", "PADDINGRIGHTLEFT", &S::PADDINGRIGHTLEFT, 10},
      {"paddingRightLeftLandscape", "PADDINGRIGHTLEFTLANDSCAPE", &S::PADDINGRIGHTLEFTLANDSCAPE, 10},
      {"sliderHeight", "HEIGHT", &S::HEIGHT, 4},
      {"sliderWidth", "WIDTH", &S::WIDTH, 80},
      {"overlayCornerRadius", "RADIUS", &S::RADIUS, 5},
      {"animationFade", "ANIMATIONFADE", &S::ANIMATIONFADE, 1},
      {"durationVolumeAnimation", "DURATIONVOLUMEANIMATION", &S::DURATIONVOLUMEANIMATION, 0.25},
      {"durationDisplay", "DURATIONDISPLAY", &S::DURATIONDISPLAY, 1.5},
      {"durationAnimation", "DURATIONANIMATION", &S::DURATIONANIMATION, 0.25},
      {"hapticEnabled", "HAPTIC", &S::HAPTIC, 0},
  };
}

// Stores `value` into the expected row's member, converted as C++ would for an in-range value.
inline void setExpected(Settings& settings, const ExpectedSetting& row, double value) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(settings.*member)>;
        if constexpr (std::is_same_v<T, bool>)
          settings.*member = value != 0;
        else
          settings.*member = static_cast<T>(value);
      },
      row.member);
}

inline Settings expectedDefaults() {
  Settings settings;
  for (const auto& row : expectedTable()) setExpected(settings, row, row.defaultValue);
  return settings;
}

// A value other than the default, of the row's own kind.
inline platform::PlistValue nonDefaultValue(const ExpectedSetting& row) {
  if (std::holds_alternative<bool Settings::*>(row.member))
    return platform::PlistValue(row.defaultValue == 0);
  if (std::holds_alternative<std::int32_t Settings::*>(row.member)) return platform::PlistValue(-7);
  return platform::PlistValue(row.defaultValue + 33.5);
}

struct SettingsFileTest : ::testing::Test {
  platform::Device device;
  platform::Process& springboard = device.spawn("SpringBoard", "com.apple.springboard");
  std::filesystem::path path =
      springboard.resolvePath("/var/mobile/Library/Preferences/velkarin.tarvo12.plist");
  Preferences preferences{springboard};
  Settings settings;

  void write(const platform::PlistDict& dict, platform::PlistFormat format = platform::PlistFormat::Xml) {
    ASSERT_TRUE(platform::writePlistDictionary(path, dict, format));
  }
};

}  // namespace tarvo::testing
