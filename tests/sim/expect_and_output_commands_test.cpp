#include <gtest/gtest.h>

#include "scenario_test_support.h"

namespace {

using namespace sim;
using simtest::lastCommand;
using simtest::parse;

TEST(ExpectField, TypedValuesPerField) {
  // The expected value as describe() writes it, and which alternative of ExpectedValue holds it.
  enum Holds { kNil, kBool, kReal, kRect, kPoint, kColour, kText, kGlyph, kAlignment, kValue };
  struct Case {
    const char* text;
    const char* field;
    FieldType type;
    const char* expected;
    Holds holds;
  } cases[] = {
      {"expect tarvoHUDWindow.hidden == false", "tarvoHUDWindow.hidden", FieldType::Bool, "false", kBool},
      {"expect tarvoHUDWindow.alpha == 1", "tarvoHUDWindow.alpha", FieldType::Real, "1", kReal},
      {"expect tarvoHUDWindow.rotation == -90", "tarvoHUDWindow.rotation", FieldType::Real, "-90", kReal},
      {"expect tarvoHUDWindow.shadowOpacity > 0.5", "tarvoHUDWindow.shadowOpacity", FieldType::Real, "0.5",
       kReal},
      {"expect tarvoHUDWindow.bounds == 0 0 150 40", "tarvoHUDWindow.bounds", FieldType::Rect, "0 0 150 40",
       kRect},
      {"expect tarvoHUDWindow.center == 187.5 60", "tarvoHUDWindow.center", FieldType::Point, "187.5 60",
       kPoint},
      {"expect tarvoHUDLabel.frame == 1 2 3 4", "tarvoHUDLabel.frame", FieldType::Rect, "1 2 3 4", kRect},
      {"expect tarvoBlurEffectView.alpha == 0.8", "tarvoBlurEffectView.alpha", FieldType::Real, "0.8", kReal},
      {"expect tarvoVibrancyEffectView.hidden == no", "tarvoVibrancyEffectView.hidden", FieldType::Bool,
       "false", kBool},
      {"expect tarvoHUDView.cornerRadius == 12", "tarvoHUDView.cornerRadius", FieldType::Real, "12", kReal},
      {"expect tarvoHUDView.backgroundColor == #1E212B", "tarvoHUDView.backgroundColor", FieldType::Colour,
       "#1E212B", kColour},
      {"expect tarvoHUDSlider.value == nan", "tarvoHUDSlider.value", FieldType::Real, "nan", kReal},
      {"expect tarvoHUDSlider.maximumValue == inf", "tarvoHUDSlider.maximumValue", FieldType::Real, "inf",
       kReal},
      {"expect tarvoHUDSlider.minimumTrackColor == #7942D8", "tarvoHUDSlider.minimumTrackColor",
       FieldType::Colour, "#7942D8", kColour},
      {"expect tarvoHUDLabel.text == \"50%\"", "tarvoHUDLabel.text", FieldType::Text, "\"50%\"", kText},
      {"expect tarvoHUDLabel.text contains 5", "tarvoHUDLabel.text", FieldType::Text, "\"5\"", kText},
      {"expect tarvoHUDLabel.textAlignment == 1", "tarvoHUDLabel.textAlignment", FieldType::Alignment,
       "center", kAlignment},
      {"expect tarvoHUDMinImageView.glyph == ringerMin", "tarvoHUDMinImageView.glyph", FieldType::Glyph,
       "ringerMin", kGlyph},
      {"expect tarvoHUDMaxImageView.glyph != none", "tarvoHUDMaxImageView.glyph", FieldType::Glyph, "none",
       kGlyph},
      {"expect tarvoHUDMaxImageView.mirrored == yes", "tarvoHUDMaxImageView.mirrored", FieldType::Bool,
       "true", kBool},
      {"expect isForceSplit == true", "isForceSplit", FieldType::Bool, "true", kBool},
      {"expect showingStatusBarItems == off", "showingStatusBarItems", FieldType::Bool, "false", kBool},
      {"expect setting.WIDTH == 150", "setting.WIDTH", FieldType::Value, "150", kValue},
      {"expect setting.minColor == \"#FF0000\"", "setting.minColor", FieldType::Value, "\"#FF0000\"", kValue},
      {"expect setting.ENABLED == nil", "setting.ENABLED", FieldType::Value, "nil", kNil},
      {"expect tarvoHUDView.frame != nil", "tarvoHUDView.frame", FieldType::Rect, "nil", kNil},
  };
  for (const auto& c : cases) {
    auto expect = lastCommand<ExpectField>(c.text);
    EXPECT_EQ(expect.field.name, c.field) << c.text;
    EXPECT_EQ(expect.field.type, c.type) << c.text;
    EXPECT_FALSE(expect.field.key) << c.text;
    EXPECT_EQ(describe(expect.expected), c.expected) << c.text;
    EXPECT_EQ(expect.expected.index(), static_cast<std::size_t>(c.holds)) << c.text;
  }
}

TEST(ExpectField, ColoursComparisonsAndTolerances) {
  auto colour = lastCommand<ExpectField>("expect tarvoMinColor == #7942D8:0.5");
  EXPECT_EQ(std::get<Colour>(colour.expected).text, "#7942D8:0.5");
  EXPECT_EQ(colour.tolerance, kDefaultColourTolerance);
  EXPECT_EQ(lastCommand<ExpectField>("expect tarvoHUDSlider.value <= 0.5").comparison,
            Comparison::LessOrEqual);
  auto loose = lastCommand<ExpectField>("expect tarvoHUDSlider.value >= 0.5 within 0.01");
  EXPECT_EQ(loose.comparison, Comparison::GreaterOrEqual);
  EXPECT_EQ(loose.tolerance, 0.01);
  EXPECT_EQ(lastCommand<ExpectField>("expect tarvoHUDSlider.value != 1").tolerance, kDefaultTolerance);
  auto entry = lastCommand<ExpectField>("expect statusColors \"com.example.notes\" == \"#FFFFFF\"");
  EXPECT_EQ(entry.field.name, "statusColors");
  EXPECT_EQ(entry.field.key, "com.example.notes");
  auto whole = lastCommand<ExpectField>("expect statusColors == {}");
  EXPECT_FALSE(whole.field.key);
}

TEST(ExpectEvents, CountWithConditionsAndWindows) {
  auto count = lastCommand<ExpectCount>(
      "wait 3s\nexpect count notification.post where name == \"velkarin.tarvo12/prefsChanged\" and "
      "userInfo.level >= 0.5 within 0.01 and userInfo absent and process == \"SpringBoard\" from 1s to 2.5s "
      "== 2");
  EXPECT_EQ(count.pattern.kind, "notification.post");
  ASSERT_EQ(count.pattern.conditions.size(), 4u);
  EXPECT_EQ(count.pattern.conditions[1].path, (std::vector<std::string>{"userInfo", "level"}));
  EXPECT_EQ(count.pattern.conditions[1].comparison, Comparison::GreaterOrEqual);
  EXPECT_EQ(count.pattern.conditions[1].tolerance, 0.01);
  EXPECT_EQ(count.pattern.conditions[2].comparison, Comparison::Absent);
  EXPECT_EQ(count.window, (TimeWindow{1'000'000'000, 2'500'000'000}));
  EXPECT_EQ(count.comparison, Comparison::Equal);
  EXPECT_EQ(count.count, 2);

  struct Case {
    const char* text;
    TimeWindow window;
  } windows[] = {
      {"wait 2s\nexpect count sound == 0", {0, 2'000'000'000}},
      {"wait 2s\nexpect count sound last 0.5s == 0", {1'500'000'000, 2'000'000'000}},
      {"wait 2s\nexpect count sound last 5s == 0", {0, 2'000'000'000}},
      {"wait 2s\nexpect count sound from 1s > 0", {1'000'000'000, 2'000'000'000}},
      {"wait 2s\nexpect count sound to 1s >= 1", {0, 1'000'000'000}},
  };
  for (const auto& c : windows) EXPECT_EQ(lastCommand<ExpectCount>(c.text).window, c.window) << c.text;
  auto quotedPath = lastCommand<ExpectCount>("expect count log where \"a.b\" exists == 1");
  EXPECT_EQ(quotedPath.pattern.conditions[0].path, (std::vector<std::string>{"a.b"}));
  EXPECT_EQ(quotedPath.pattern.conditions[0].comparison, Comparison::Exists);
}

TEST(ExpectEvents, PathsMixQuotedKeysWithDottedParts) {
  using Path = std::vector<std::string>;
  struct Case {
    const char* where;
    Path path;
  } cases[] = {
      {"hud.\"tarvoHUDSlider.minimumTrackColor\".0", {"hud", "tarvoHUDSlider.minimumTrackColor", "0"}},
      {"\"a.b\".c.d", {"a.b", "c", "d"}},
      {"x.\"a.b\".\"c.d\"", {"x", "a.b", "c.d"}},
      {"userInfo.modifier", {"userInfo", "modifier"}},
  };
  for (const auto& c : cases) {
    auto count = lastCommand<ExpectCount>("expect count hud.snapshot where " + std::string(c.where) + " exists == 1");
    EXPECT_EQ(count.pattern.conditions[0].path, c.path) << c.where;
  }
  // Apart, they are a field and the start of a comparison: nothing is joined across a space.
  auto apart = lastCommand<ExpectCount>("expect count log where message starts-with \"[TARVO12]\" == 1");
  EXPECT_EQ(apart.pattern.conditions[0].path, (Path{"message"}));
  EXPECT_EQ(apart.pattern.conditions[0].comparison, Comparison::StartsWith);
}

TEST(ExpectField, EntriesNowAndPrefixes) {
  auto entries = lastCommand<ExpectEntries>("expect count statusColors >= 2");
  EXPECT_EQ(entries.field.name, "statusColors");
  EXPECT_EQ(entries.comparison, Comparison::GreaterOrEqual);
  EXPECT_EQ(entries.count, 2);
  EXPECT_EQ(lastCommand<ExpectEntries>("expect count statusColors \"com.example.a\" == 3").field.key, "com.example.a");
  // Trace counts keep working: no event kind is a field name.
  EXPECT_EQ(lastCommand<ExpectCount>("expect count sound == 0").pattern.kind, "sound");

  EXPECT_EQ(lastCommand<ExpectField>("expect tarvoHUDLabel.text starts-with \"5\"").comparison,
            Comparison::StartsWith);
  Scenario now = parse("expect now tarvoMinColor == #FFFFFF\nexpect tarvoMinColor == #FFFFFF\n"
                       "expect now count sound == 0\nsnapshot now\nsnapshot \"now\"\n");
  ASSERT_EQ(now.steps.size(), 6u);  // the launch, then the five lines
  EXPECT_TRUE(now.steps[1].beforeDue);
  EXPECT_FALSE(now.steps[2].beforeDue);
  EXPECT_TRUE(now.steps[3].beforeDue);
  EXPECT_TRUE(now.steps[4].beforeDue);
  EXPECT_EQ(std::get<TakeSnapshot>(now.steps[4].command).label, "");
  EXPECT_FALSE(now.steps[5].beforeDue);
  EXPECT_EQ(std::get<TakeSnapshot>(now.steps[5].command).label, "now");
}

TEST(ExpectEvents, OrderOfTwoPatterns) {
  auto order = lastCommand<ExpectOrder>(
      "wait 4s\nexpect order timer.schedule where selector == \"tarvoHUDShouldHide:\" before timer.fire "
      "where "
      "selector == \"tarvoHUDShouldHide:\" last 3s");
  EXPECT_EQ(order.earlier.kind, "timer.schedule");
  EXPECT_EQ(order.later.kind, "timer.fire");
  EXPECT_EQ(order.later.conditions[0].value, platform::PlistValue("tarvoHUDShouldHide:"));
  EXPECT_EQ(order.window, (TimeWindow{1'000'000'000, 4'000'000'000}));
}

TEST(OutputCommands, CapturesRecordingsAndSnapshots) {
  EXPECT_EQ(lastCommand<Capture>("capture fade-in.1").name, "fade-in.1");
  EXPECT_EQ(lastCommand<Capture>("capture \"shown\"").name, "shown");
  Scenario unnamed = parse("capture capture-1\ncapture\ncapture\n");
  EXPECT_EQ(std::get<Capture>(unnamed.steps[2].command).name, "capture-2");
  EXPECT_EQ(std::get<Capture>(unnamed.steps[3].command).name, "capture-3");

  auto record = lastCommand<Record>("record fade for 0.5s fps 20");
  EXPECT_EQ(record.name, "fade");
  EXPECT_EQ(record.duration, 500'000'000);
  EXPECT_EQ(record.fps, 20);
  EXPECT_EQ(lastCommand<Record>("record fade for 1s").fps, 30);

  EXPECT_EQ(lastCommand<TakeSnapshot>("snapshot").label, "");
  EXPECT_EQ(lastCommand<TakeSnapshot>("snapshot \"after the press\"").label, "after the press");
}

}  // namespace
