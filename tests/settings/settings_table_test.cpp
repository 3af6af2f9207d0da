#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "settings/settings.h"
#include "settings_fixture.h"

namespace {

using platform::PlistArray;
using platform::PlistDict;
using platform::PlistValue;
using tarvo::SettingSource;
using tarvo::SettingValue;

std::string topicTitle(tarvo::SettingTopic topic) {
  for (const auto& t : tarvo::kSettingTopics)
    if (t.topic == topic) return std::string(t.title);
  return "";
}

// The range or the values' names as the document writes them.
std::string rangeText(const tarvo::SettingEntry& entry) {
  std::ostringstream text;
  if (entry.kind == tarvo::SettingKind::Real)
    text << entry.range.min << " to " << entry.range.max << " " << entry.range.unit << ", step " << entry.range.step;
  for (std::size_t value = 0; value < entry.valueLabels.size(); ++value)
    text << (value ? ", " : "") << value << " " << entry.valueLabels[value];
  return text.str();
}

TEST(SettingsTable, MatchesTheDocumentedKeysVariablesKindsAndDefaultsInOrder) {
  const auto documented = tarvo::testing::documentedSettings();
  ASSERT_EQ(tarvo::kSettingsTable.size(), documented.size()) << "rows in docs/settings.md";
  const char* kindNames[] = {"switch", "integer", "real"};
  for (std::size_t i = 0; i < documented.size(); ++i) {
    const auto& entry = tarvo::kSettingsTable[i];
    const auto& row = documented[i];
    SCOPED_TRACE(row.key);
    EXPECT_EQ(entry.key, row.key);
    EXPECT_EQ(entry.variable, row.variable);
    EXPECT_EQ(kindNames[static_cast<int>(entry.kind)], row.kind);
    EXPECT_EQ(entry.defaultValue, row.defaultValue);
    EXPECT_EQ(tarvo::findSetting(row.key), &entry);
    EXPECT_EQ(topicTitle(entry.topic), row.topic);
    EXPECT_EQ(rangeText(entry), row.range);
    EXPECT_EQ(entry.read ? "yes" : "by nothing", row.read);
  }
  EXPECT_EQ(tarvo::findSetting("minColor"), nullptr);
  EXPECT_EQ(tarvo::findSetting("isenabled"), nullptr);
}

// Member pointers have equality but no order: the rows are compared pairwise.
TEST(SettingsTable, EveryRowHasOneMemberOfItsKindAndNoTwoRowsShareIt) {
  const auto& table = tarvo::kSettingsTable;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const auto& entry = table[i];
    SCOPED_TRACE(entry.key);
    int members =
        (entry.switchMember != nullptr) + (entry.integerMember != nullptr) + (entry.realMember != nullptr);
    EXPECT_EQ(members, 1);
    EXPECT_TRUE(entry.kind == tarvo::SettingKind::Switch    ? entry.switchMember != nullptr
                : entry.kind == tarvo::SettingKind::Integer ? entry.integerMember != nullptr
                                                            : entry.realMember != nullptr);
    for (std::size_t j = 0; j < i; ++j) {
      const auto& other = table[j];
      if (entry.kind != other.kind) continue;
      EXPECT_FALSE(entry.switchMember == other.switchMember && entry.integerMember == other.integerMember &&
                   entry.realMember == other.realMember)
          << "shares its variable with " << other.key;
    }
  }
}

TEST(SettingsTable, ConvertsNumbersOfEveryKindAndTreatsOtherKindsAsAbsent) {
  const auto& alignment = *tarvo::findSetting("alignment");
  const auto& enabled = *tarvo::findSetting("isEnabled");
  const auto& height = *tarvo::findSetting("sliderHeight");
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const tarvo::SettingEntry& entry;
    PlistValue value;
    std::optional<SettingValue> expected;
  } cases[] = {
      {alignment, PlistValue(1.9), std::int32_t{1}},
      {alignment, PlistValue(-1.9), std::int32_t{-1}},
      {alignment, PlistValue(-1), std::int32_t{-1}},
      {alignment, PlistValue(true), std::int32_t{1}},
      {alignment, PlistValue(std::int64_t{1} << 40), std::numeric_limits<std::int32_t>::max()},
      {alignment, PlistValue(-1e300), std::numeric_limits<std::int32_t>::min()},
      {alignment, PlistValue("1"), std::nullopt},
      {enabled, PlistValue(false), false},
      {enabled, PlistValue(0), false},
      {enabled, PlistValue(0.0), false},
      {enabled, PlistValue(2), true},
      {enabled, PlistValue(0.001), true},
      {enabled, PlistValue("NO"), std::nullopt},
      {height, PlistValue(6), 6.0f},
      {height, PlistValue(true), 1.0f},
      {height, PlistValue(-3.5), -3.5f},
      {height, PlistValue(0.1), 0.1f},
      {height, PlistValue(1e300), inf},
      {height, PlistValue(-1e300), -inf},
      {height, PlistValue(PlistArray{PlistValue(6)}), std::nullopt},
      {height, PlistValue(PlistDict{}), std::nullopt},
      {height, PlistValue(platform::PlistData{{6}}), std::nullopt},
      {height, PlistValue(platform::PlistDate{6}), std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tarvo::convertSetting(c.entry, &c.value), c.expected)
        << c.entry.key << " from " << tarvo::plistKindName(c.value);
  }
  EXPECT_EQ(tarvo::convertSetting(height, nullptr), std::nullopt);

  PlistValue nan(std::nan(""));
  EXPECT_TRUE(std::isnan(std::get<float>(*tarvo::convertSetting(height, &nan))));
  EXPECT_EQ(tarvo::convertSetting(enabled, &nan), SettingValue(true));
  EXPECT_EQ(tarvo::convertSetting(alignment, &nan), SettingValue(std::int32_t{0}));
}

TEST(SettingsTable, ExplainsWhereEachValueComesFrom) {
  PlistDict file;
  file.set("isEnabled", false);                        // own kind
  file.set("dynamicColors", 1);                        // integer under a switch
  file.set("alignment", 0);                            // own kind
  file.set("fromBottom", "YES");                       // wrong kind
  file.set("yPosition", 25.5);                         // own kind
  file.set("sliderHeight", 6);                         // integer under a real
  file.set("sliderWidth", 1e300);                      // beyond the float range
  file.set("overlayCornerRadius", PlistArray{});       // wrong kind
  file.set("durationDisplay", std::int64_t{1} << 40);  // integer under a real, exact enough
  file.set("unrelated", 5);

  struct Case {
    const char* key;
    SettingSource source;
    std::string_view value;
    std::string_view fileKind;
  } cases[] = {
      {"isEnabled", SettingSource::File, "false", "boolean"},
      {"dynamicColors", SettingSource::Converted, "true", "integer"},
      {"alignment", SettingSource::File, "0", "integer"},
      {"fromBottom", SettingSource::WrongKind, "false", "string"},
      {"yPosition", SettingSource::File, "25.5", "real"},
      {"sliderHeight", SettingSource::Converted, "6", "integer"},
      {"sliderWidth", SettingSource::Converted, "inf", "real"},
      {"overlayCornerRadius", SettingSource::WrongKind, "5", "array"},
      {"durationDisplay", SettingSource::Converted, "1099511627776", "integer"},
      {"mediaIndicator", SettingSource::Default, "true", ""},
      {"durationAnimation", SettingSource::Default, "0.25", ""},
  };
  auto explanations = tarvo::explainSettings(file);
  ASSERT_EQ(explanations.size(), tarvo::kSettingsTable.size());
  for (const auto& c : cases) {
    auto it = std::find_if(explanations.begin(), explanations.end(),
                           [&](const auto& e) { return e.entry->key == c.key; });
    ASSERT_NE(it, explanations.end()) << c.key;
    EXPECT_EQ(it->source, c.source) << c.key;
    EXPECT_EQ(tarvo::formatSettingValue(it->value), c.value) << c.key;
    EXPECT_EQ(it->fileKind, c.fileKind) << c.key;
  }
  // The explanation gives the very values the loader stores.
  tarvo::Settings loaded;
  for (const auto& entry : tarvo::kSettingsTable) tarvo::loadSetting(loaded, entry, file);
  for (const auto& e : explanations) EXPECT_EQ(tarvo::readSetting(loaded, *e.entry), e.value) << e.entry->key;
}

TEST(SettingsTable, WithoutAFileEverythingIsExplainedAsDefault) {
  for (const auto& e : tarvo::explainSettings(std::nullopt)) {
    EXPECT_EQ(e.source, SettingSource::Default);
    EXPECT_EQ(e.value, tarvo::settingDefault(*e.entry));
    EXPECT_TRUE(e.fileKind.empty());
  }
  EXPECT_EQ(tarvo::settingSourceName(SettingSource::WrongKind), "wrong kind, read as absent");
}

TEST(SettingsTable, FormatsValuesAsAPersonWouldWriteThem) {
  struct Case {
    SettingValue value;
    std::string_view text;
  } cases[] = {
      {true, "true"},
      {false, "false"},
      {std::int32_t{-2}, "-2"},
      {80.0f, "80"},
      {0.25f, "0.25"},
      {0.1f, "0.1"},
      {std::numeric_limits<float>::infinity(), "inf"},
      {-std::numeric_limits<float>::infinity(), "-inf"},
      {std::numeric_limits<float>::quiet_NaN(), "nan"},
      {std::numeric_limits<float>::denorm_min(), "1e-45"},
  };
  for (const auto& c : cases) EXPECT_EQ(tarvo::formatSettingValue(c.value), c.text);
}

TEST(SettingsTable, WritingConvertsToTheVariablesKind) {
  tarvo::Settings settings;
  tarvo::writeSetting(settings, *tarvo::findSetting("alignment"), SettingValue(1.9f));
  tarvo::writeSetting(settings, *tarvo::findSetting("sliderWidth"), SettingValue(std::int32_t{120}));
  tarvo::writeSetting(settings, *tarvo::findSetting("hapticEnabled"), SettingValue(0.5f));
  EXPECT_EQ(settings.ALIGNMENT, 1);
  EXPECT_EQ(settings.WIDTH, 120.0f);
  EXPECT_TRUE(settings.HAPTIC);
}

TEST(SettingsTable, SnapshotNamesEveryVariable) {
  tarvo::Settings settings = tarvo::testing::expectedDefaults();
  settings.WIDTH = 300;
  PlistDict snapshot = tarvo::settingsSnapshot(settings);
  ASSERT_EQ(snapshot.size(), tarvo::kSettingsTable.size());
  EXPECT_EQ(snapshot.begin()->first, "ENABLED");
  EXPECT_EQ(snapshot.find("ENABLED")->boolValue(), true);
  EXPECT_EQ(snapshot.find("DROPDSHADOW")->boolValue(), true);
  EXPECT_EQ(snapshot.find("ALIGNMENT")->intValue(), 2);
  EXPECT_EQ(snapshot.find("WIDTH")->doubleValue(), 300.0);
  EXPECT_EQ(snapshot.find("DURATIONDISPLAY")->doubleValue(), 1.5);
  EXPECT_EQ(snapshot.find("HAPTIC")->boolValue(), false);
}

// Every row has what its kind needs: a real a slider in points or seconds, an integer its values' names,
// every row a topic the pane has; and what the table says is read is what the system's code uses.
TEST(SettingsTable, EveryRowHasTheColumnsItsKindNeedsAndSaysTrulyWhetherItIsRead) {
  std::string code;
  for (const char* folder : {"hud", "hooks", "kit", "controls"}) {
    for (const auto& file : std::filesystem::recursive_directory_iterator(std::string(TARVO_SOURCE_DIR) + "/" + folder)) {
      std::ifstream in(file.path());
      code += std::string(std::istreambuf_iterator<char>(in), {});
    }
  }
  auto usesVariable = [&](std::string_view variable) {
    for (std::size_t at = code.find(variable); at != std::string::npos; at = code.find(variable, at + 1)) {
      auto isWordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
      bool after = at + variable.size() < code.size() && isWordChar(code[at + variable.size()]);
      if (at > 0 && code[at - 1] == '.' && !after) return true;  // settings.WIDTH, s.WIDTH
    }
    return false;
  };
  for (const auto& entry : tarvo::kSettingsTable) {
    SCOPED_TRACE(entry.key);
    EXPECT_FALSE(topicTitle(entry.topic).empty());
    EXPECT_EQ(entry.read, usesVariable(entry.variable)) << "whether hud/, hooks/, kit/ or controls/ read it";
    if (entry.kind == tarvo::SettingKind::Real) {
      EXPECT_LT(entry.range.min, entry.range.max);
      EXPECT_GT(entry.range.step, 0);
      EXPECT_TRUE(entry.range.unit == "pt" || entry.range.unit == "s");
    } else {
      EXPECT_TRUE(entry.range.unit.empty());
    }
    EXPECT_EQ(entry.valueLabels.empty(), entry.kind != tarvo::SettingKind::Integer);
  }
}

TEST(ColorSettings, MatchTheDocumentedColourKeysInOrder) {
  const auto documented = tarvo::testing::documentedColorSettings();
  ASSERT_EQ(documented.size(), tarvo::kColorSettings.size()) << "colour rows in docs/settings.md";
  for (std::size_t i = 0; i < documented.size(); ++i) {
    const auto& c = tarvo::kColorSettings[i];
    EXPECT_EQ(documented[i][0], "`" + std::string(c.key) + "`");
    EXPECT_EQ(documented[i][1], "`" + std::string(c.fallback) + "`");
    EXPECT_EQ(documented[i][2], c.colors);
    EXPECT_EQ(documented[i][3], topicTitle(c.topic));
  }
}

TEST(ColorSettings, ListsTheFourColourKeysWithTheirFallbacks) {
  struct Case {
    const char* key;
    const char* fallback;
  } cases[] = {
      {"minColor", "#7942D8:1.000000"},
      {"maxColor", "#FFFFFF:1.000000"},
      {"indicatorColor", "#FFFFFF:1.000000"},
      {"overlayColor", "#1E212B:1.000000"},
  };
  ASSERT_EQ(tarvo::kColorSettings.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(tarvo::kColorSettings[i].key, cases[i].key);
    EXPECT_EQ(tarvo::kColorSettings[i].fallback, cases[i].fallback);
    EXPECT_FALSE(tarvo::kColorSettings[i].colors.empty());
    EXPECT_EQ(tarvo::findColorSetting(cases[i].key), &tarvo::kColorSettings[i]);
    // Colours are read at each use, never loaded into a variable.
    EXPECT_EQ(tarvo::findSetting(cases[i].key), nullptr);
  }
  EXPECT_EQ(tarvo::findColorSetting("isEnabled"), nullptr);
}

}  // namespace
