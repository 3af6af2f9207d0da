#include "settings/preferences.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "platform/device/distributed_center.h"
#include "settings_fixture.h"

namespace {

using platform::PlistArray;
using platform::PlistDict;
using platform::PlistFormat;
using platform::PlistValue;
using tarvo::Settings;
using tarvo::testing::expectedDefaults;
using tarvo::testing::expectedTable;
using tarvo::testing::setExpected;
using tarvo::testing::SettingsFileTest;

struct LoadingTest : SettingsFileTest, ::testing::WithParamInterface<PlistFormat> {
  void write(const PlistDict& dict) { SettingsFileTest::write(dict, GetParam()); }
};

TEST_F(SettingsFileTest, ReadsTheFileAtItsPhonePath) {
  EXPECT_EQ(preferences.path(), device.root() / "var/mobile/Library/Preferences/velkarin.tarvo12.plist");
}

TEST_F(SettingsFileTest, NoFileGivesEveryDefault) {
  preferences.refreshPrefs(settings);
  EXPECT_FALSE(preferences.prefs());
  EXPECT_EQ(settings, expectedDefaults());
}

// Each key on its own changes its own variable and nothing else.
TEST_P(LoadingTest, EachKeyAloneChangesOnlyItsVariable) {
  for (const auto& row : expectedTable()) {
    SCOPED_TRACE(row.key);
    PlistValue value = tarvo::testing::nonDefaultValue(row);
    PlistDict file;
    file.set(row.key, value);
    write(file);
    preferences.refreshPrefs(settings);

    Settings expected = expectedDefaults();
    setExpected(expected, row, *value.doubleValue());
    EXPECT_EQ(settings, expected);
    ASSERT_TRUE(preferences.prefs());
    EXPECT_EQ(*preferences.prefs(), file);
  }
}

TEST_P(LoadingTest, PresentFalseTurnsOffEveryDefaultOnSwitch) {
  PlistDict file;
  for (const char* key : {"isEnabled", "mediaIndicator", "ringerIndicator", "singleIndicator",
                          "overlayBackground", "dropShadow", "animationFade"})
    file.set(key, false);
  write(file);
  preferences.refreshPrefs(settings);
  EXPECT_FALSE(settings.ENABLED);
  EXPECT_FALSE(settings.MEDIAINDICATOR);
  EXPECT_FALSE(settings.RINGERINDICATOR);
  EXPECT_FALSE(settings.SINGLEINDICATOR);
  EXPECT_FALSE(settings.OVERLAYBACKGROUND);
  EXPECT_FALSE(settings.DROPDSHADOW);
  EXPECT_FALSE(settings.ANIMATIONFADE);
  EXPECT_EQ(settings.WIDTH, 80.0f);
}

TEST_P(LoadingTest, ConvertsWhatTheFileHolds) {
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* key;
    PlistValue value;
    float Settings::*real;
    std::int32_t Settings::*integer;
    double expected;
  } cases[] = {
      {"alignment", PlistValue(1.9), nullptr, &Settings::ALIGNMENT, 1},
      {"alignment", PlistValue(-1.9), nullptr, &Settings::ALIGNMENT, -1},
      {"alignment", PlistValue(-1), nullptr, &Settings::ALIGNMENT, -1},
      {"sliderHeight", PlistValue(6), &Settings::HEIGHT, nullptr, 6},
      {"sliderWidth", PlistValue(-40.5), &Settings::WIDTH, nullptr, -40.5},
      {"overlayCornerRadius", PlistValue(1e300), &Settings::RADIUS, nullptr, inf},
      {"yPosition", PlistValue(-1e300), &Settings::YPOSITION, nullptr, -inf},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    PlistDict file;
    file.set(c.key, c.value);
    write(file);
    preferences.refreshPrefs(settings);
    Settings expected = expectedDefaults();
    if (c.real)
      expected.*c.real = static_cast<float>(c.expected);
    else
      expected.*c.integer = static_cast<std::int32_t>(c.expected);
    EXPECT_EQ(settings, expected);
  }
}

TEST_P(LoadingTest, NotANumberIsStoredAsItComes) {
  PlistDict file;
  file.set("durationDisplay", std::numeric_limits<double>::quiet_NaN());
  file.set("alignment", std::numeric_limits<double>::quiet_NaN());
  file.set("isEnabled", std::numeric_limits<double>::quiet_NaN());
  write(file);
  preferences.refreshPrefs(settings);
  EXPECT_TRUE(std::isnan(settings.DURATIONDISPLAY));
  EXPECT_EQ(settings.ALIGNMENT, 0);
  EXPECT_TRUE(settings.ENABLED);
}

TEST_P(LoadingTest, ValuesOfAnotherKindThanANumberTakeTheDefault) {
  PlistDict nested;
  nested.set("alignment", 0);
  PlistDict file;
  file.set("isEnabled", "NO");
  file.set("alignment", PlistArray{PlistValue(0)});
  file.set("sliderHeight", "6");
  file.set("sliderWidth", nested);
  file.set("durationDisplay", platform::PlistData{{3}});
  file.set("durationAnimation", platform::PlistDate{3});
  write(file);
  preferences.refreshPrefs(settings);
  EXPECT_EQ(settings, expectedDefaults());
}

TEST_P(LoadingTest, OnlyDurationDisplayInTheFile) {
  PlistDict file;
  file.set("durationDisplay", 3);
  write(file);
  preferences.refreshPrefs(settings);
  Settings expected = expectedDefaults();
  expected.DURATIONDISPLAY = 3.0f;
  EXPECT_EQ(settings, expected);
}

TEST_P(LoadingTest, ReloadAfterTheFileIsGoneRestoresEveryDefault) {
  PlistDict file;
  for (const auto& row : expectedTable()) file.set(row.key, tarvo::testing::nonDefaultValue(row));
  write(file);
  preferences.refreshPrefs(settings);
  EXPECT_FALSE(settings.ENABLED);
  EXPECT_EQ(settings.ALIGNMENT, -7);

  std::filesystem::remove(path);
  preferences.refreshPrefs(settings);
  EXPECT_FALSE(preferences.prefs());
  EXPECT_EQ(settings, expectedDefaults());
}

TEST_P(LoadingTest, ReloadRestoresAWidthTheLayoutOverwrote) {
  preferences.refreshPrefs(settings);
  settings.WIDTH = 359;
  preferences.refreshPrefs(settings);
  EXPECT_EQ(settings.WIDTH, 80.0f);

  PlistDict file;
  file.set("sliderWidth", 120);
  write(file);
  preferences.refreshPrefs(settings);
  settings.WIDTH = 359;
  preferences.refreshPrefs(settings);
  EXPECT_EQ(settings.WIDTH, 120.0f);
}

INSTANTIATE_TEST_SUITE_P(Formats, LoadingTest, ::testing::Values(PlistFormat::Xml, PlistFormat::Binary),
                         [](const ::testing::TestParamInfo<PlistFormat>& param) {
                           return param.param == PlistFormat::Xml ? "Xml" : "Binary";
                         });

TEST_F(SettingsFileTest, AFileThatTurnsBadDropsTheOldDictionary) {
  PlistDict good;
  good.set("alignment", 0);
  const char* badContents[] = {
      "",
      "<plist><dict><key>alignment",
      "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><integer>0</integer></array></plist>",
  };
  for (const char* text : badContents) {
    write(good);
    preferences.refreshPrefs(settings);
    ASSERT_TRUE(preferences.prefs());
    ASSERT_EQ(settings.ALIGNMENT, 0);

    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    preferences.refreshPrefs(settings);
    EXPECT_FALSE(preferences.prefs()) << text;
    EXPECT_EQ(settings, expectedDefaults()) << text;
  }
}

TEST_F(SettingsFileTest, StaticInitialisationReadsBlurAndPercentageAfterTheShadow) {
  const std::vector<std::string_view> expectedOrder{"isEnabled",
                                                    "dynamicColors",
                                                    "mediaIndicator",
                                                    "ringerIndicator",
                                                    "singleIndicator",
                                                    "overlayBackground",
                                                    "dropShadow",
                                                    "blurBackground",
                                                    "volumePercentage",
                                                    "statusBarHideTime",
                                                    "statusBarHideLeft",
                                                    "statusBarHideRight",
                                                    "statusBarHideAll",
                                                    "statusBarHideTimeX",
                                                    "statusBarHideRightX",
                                                    "fullWidth",
                                                    "alignment",
                                                    "fromBottom",
                                                    "yPosition",
                                                    "yPositionLandscape",
                                                    "rightLeftFixed",
                                                    "rightLeftFixedLandscape",
                                                    "paddingTopBottom",
                                                    "paddingTopBottomLandscape",
                                                    "paddingRightLeft",
                                                    "paddingRightLeftLandscape",
                                                    "sliderHeight",
                                                    "sliderWidth",
                                                    "overlayCornerRadius",
                                                    "animationFade",
                                                    "durationVolumeAnimation",
                                                    "durationDisplay",
                                                    "durationAnimation",
                                                    "hapticEnabled"};
  std::vector<std::string_view> order;
  preferences.applyStaticInitialisation(settings,
                                        [&](const tarvo::SettingEntry& e) { order.push_back(e.key); });
  EXPECT_EQ(order, expectedOrder);

  std::vector<std::string_view> reloadOrder;
  tarvo::loadSettings(settings, std::nullopt,
                      [&](const tarvo::SettingEntry& e) { reloadOrder.push_back(e.key); });
  ASSERT_EQ(reloadOrder.size(), expectedTable().size());
  for (std::size_t i = 0; i < reloadOrder.size(); ++i) EXPECT_EQ(reloadOrder[i], expectedTable()[i].key);
}

TEST_F(SettingsFileTest, StaticInitialisationYieldsTheValuesOfTheFirstLoad) {
  PlistDict file;
  for (const auto& row : expectedTable()) file.set(row.key, tarvo::testing::nonDefaultValue(row));
  file.set("blurBackground", 1);
  file.set("volumePercentage", "YES");
  write(file);
  preferences.refreshPrefs(settings);
  Settings afterLoad = settings;

  settings.WIDTH = 359;  // whatever happened in between, the step recomputes from the same dictionary
  settings.BLUR = false;
  std::filesystem::remove(path);  // and it does not read the file again
  preferences.applyStaticInitialisation(settings);
  EXPECT_EQ(settings, afterLoad);
  EXPECT_TRUE(settings.BLUR);
  EXPECT_FALSE(settings.VOLUMEPERCENTAGE);

  Settings withoutFile;
  tarvo::applyStaticInitialisation(withoutFile, std::nullopt);
  EXPECT_EQ(withoutFile, expectedDefaults());
}

TEST_F(SettingsFileTest, ChangedNotificationReloadsWhateverItCarries) {
  auto* center = platform::CFNotificationCenterGetDistributedCenter(springboard);
  platform::CFNotificationCenterAddObserver(center, nullptr,
                                            tarvo::makeSettingsChangedCallback(preferences, settings),
                                            tarvo::kPreferencesChangedNotification, nullptr,
                                            platform::CFNotificationSuspensionBehaviorDeliverImmediately);
  preferences.refreshPrefs(settings);
  EXPECT_TRUE(settings.ENABLED);

  PlistDict file;
  file.set("isEnabled", false);
  write(file);
  EXPECT_TRUE(settings.ENABLED);  // nothing reloads until the pane says so

  auto& pane = device.spawn("Preferences", "com.apple.Preferences");
  PlistDict payload;
  payload.set("isEnabled", true);  // a payload is ignored: the file is what counts
  platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(pane),
                                                 tarvo::kPreferencesChangedNotification, nullptr, &payload,
                                                 true);
  device.drain();
  EXPECT_FALSE(settings.ENABLED);
  EXPECT_EQ(preferences.prefs(), std::optional<PlistDict>(file));

  std::filesystem::remove(path);
  tarvo::settingsChanged(preferences, settings);
  EXPECT_TRUE(settings.ENABLED);
}

}  // namespace
