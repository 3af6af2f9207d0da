// What scenarios can now set and see: model identifiers, the shell's bar, anonymous apps, activity
// subclasses, any orientation, other HUD views, notification objects, kind conditions and app fields.
#include <gtest/gtest.h>

#include "scenario_test_support.h"
#include "sim/scenario/matching.h"

namespace {

using namespace sim;
using simtest::errorOf;
using simtest::lastCommand;
using simtest::parse;

TEST(FidelityCommands, AnyModelIdentifierWithTheScreenOfAKnownModel) {
  Scenario s = parse("device \"iphone11,2 \" like iPhone10,4\ncapture");
  EXPECT_EQ(s.setup.model, "iPhone10,4");
  EXPECT_EQ(s.setup.modelIdentifier, "iphone11,2 ");
  EXPECT_FALSE(parse("device iPhone10,4\ncapture").setup.modelIdentifier);
  EXPECT_EQ(errorOf("device iPhone10,4 like iPhone99,1").rfind("1: unknown model 'iPhone99,1'", 0), 0u);
  EXPECT_EQ(errorOf("device whatever").rfind("1: unknown model 'whatever'", 0), 0u);
}

TEST(FidelityCommands, TheShellsBarIsDressedLikeAnApps) {
  Scenario s = parse(
      "shell bar classic\nshell color #FF0000:0.5\nshell style 1\nshell without foreground-style\n"
      "shell without style-attributes\nshell activity 4 subclass MyPill\nshell activity 3\ncapture");
  ASSERT_TRUE(s.setup.shellBarColour && *s.setup.shellBarColour);
  EXPECT_EQ((*s.setup.shellBarColour)->alpha, 0.5);
  EXPECT_EQ(s.setup.shellBarStyle, 1);
  EXPECT_FALSE(s.setup.shellBarParts.foregroundStyle);
  EXPECT_FALSE(s.setup.shellBarParts.styleAttributes);
  EXPECT_TRUE(s.setup.shellBarParts.foregroundView);
  EXPECT_EQ(s.setup.shellActivityDepths, (std::vector<int>{4, 3}));
  EXPECT_EQ(s.setup.shellActivityClasses, (std::vector<std::string>{"MyPill", ""}));
  Scenario nil = parse("shell color nil\ncapture");
  ASSERT_TRUE(nil.setup.shellBarColour);
  EXPECT_FALSE(*nil.setup.shellBarColour);
  // At run time the shell's bar is "springboard" to app color and app style.
  EXPECT_EQ(lastCommand<SetAppBarColour>("app color springboard #00FF00").app, "");
  EXPECT_EQ(lastCommand<SetAppBarStyle>("app style SpringBoard 0").app, "");
  EXPECT_NO_THROW(lastCommand<RefreshServiceItem>("refresh-service"));
  auto hud = lastCommand<PresentOtherHud>("present-hud SBBrightnessHUDView delay 0.5");
  EXPECT_EQ(hud.className, "SBBrightnessHUDView");
  EXPECT_EQ(hud.delay, 0.5);
}

TEST(FidelityCommands, AppsWithoutIdentifiersAndActivitySubclasses) {
  auto app =
      lastCommand<StartApp>("app start tool.daemon anonymous bar split activity 4 subclass Pill activity 2");
  EXPECT_TRUE(app.anonymous);
  EXPECT_EQ(app.backgroundActivityDepths, (std::vector<int>{4, 2}));
  EXPECT_EQ(app.backgroundActivityClasses, (std::vector<std::string>{"Pill", ""}));
}

TEST(FidelityCommands, RotateTakesAnyNumber) {
  const struct {
    const char* text;
    std::int64_t value;
  } cases[] = {{"rotate 0", 0},
               {"rotate 5", 5},
               {"rotate -1", -1},
               {"rotate 3", 3},
               {"rotate landscape-left", 4},
               {"rotate 9223372036854775807", INT64_MAX}};
  for (const auto& c : cases) EXPECT_EQ(lastCommand<Rotate>(c.text).value(), c.value) << c.text;
}

TEST(FidelityCommands, PostCarriesAStringObject) {
  EXPECT_EQ(lastCommand<PostNotification>("post x object \"me\"").object, "me");
  EXPECT_FALSE(lastCommand<PostNotification>("post x").object);
}

TEST(FidelityCommands, ConditionsTestAValuesKind) {
  auto count = lastCommand<ExpectCount>(
      "expect count notification.post where userInfo.isIPhoneX kind == boolean == 1");
  ASSERT_EQ(count.pattern.conditions.size(), 1u);
  EXPECT_TRUE(count.pattern.conditions[0].testsKind);
  EXPECT_EQ(count.pattern.conditions[0].value, platform::PlistValue("bool"));
  const struct {
    platform::PlistValue value;
    const char* kind;
    bool same;
  } cases[] = {
      {true, "bool", true},
      {1, "bool", false},
      {1, "integer", true},
      {1.5, "real", true},
      {1.5, "number", true},
      {true, "number", true},
      {"1", "number", false},
      {"1", "string", true},
      {platform::PlistArray{}, "array", true},
      {platform::PlistDict{}, "dict", true},
      {platform::PlistData{}, "data", true},
      {platform::PlistDate{}, "date", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kindMatches(&c.value, Comparison::Equal, c.kind), c.same) << c.kind;
    EXPECT_EQ(kindMatches(&c.value, Comparison::NotEqual, c.kind), !c.same) << c.kind;
  }
  EXPECT_FALSE(kindMatches(nullptr, Comparison::NotEqual, "bool"));  // a missing field has no kind
}

TEST(FidelityCommands, AppFieldsNameAViewOfTheBarOrTheLiveObjects) {
  const char* start = "app start com.example.notes name Notes bar split\n";
  auto alpha =
      lastCommand<ExpectAppField>(std::string(start) + "expect app Notes statusBar.0.0.0.0.alpha == 0");
  EXPECT_EQ(alpha.app, "com.example.notes");
  EXPECT_EQ(alpha.view, (std::vector<std::string>{"statusBar", "0", "0", "0", "0"}));
  EXPECT_EQ(alpha.property, "alpha");
  auto onScreen = lastCommand<ExpectAppField>(std::string(start) +
                                              "expect app Notes foregroundView.presentation.alpha < 1");
  EXPECT_EQ(onScreen.property, "presentation.alpha");
  auto gone = lastCommand<ExpectAppField>(std::string(start) + "expect app Notes statusBar.9.hidden == nil");
  EXPECT_EQ(gone.comparison, Comparison::Absent);
  auto objects = lastCommand<ExpectAppField>("expect app springboard liveObjects > 10");
  EXPECT_EQ(objects.app, "");
  EXPECT_EQ(objects.property, "liveObjects");
}

TEST(FidelityCommands, MistakesAreReportedWithTheirLine) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"capture\nshell color #FF0000", "2: 'shell' sets up the device"},
      {"shell without wheels", "1: unknown part 'wheels'"},
      {"shell activity 17", "1: "},
      {"shell activity 4 subclass 9Lives", "1: '9Lives' is not a class name"},
      {"present-hud SBVolumeHUDView", "1: the volume and ringer views"},
      {"present-hud X delay -1", "1: a delay must be from 0 to 3600 seconds"},
      {"rotate sideways", "1: unknown orientation 'sideways'"},
      {"rotate 1.5", "1: "},
      {"expect count x where a kind == thing == 1", "1: unknown kind 'thing'"},
      {"expect count x where a kind < bool == 1", "1: a kind is compared with == or !="},
      {"app start a.b\nexpect app a.b statusBar.alpha == yes", ""},
      {"app start a.b\nexpect app a.b window.alpha == 1", "2: unknown app field 'window.alpha'"},
      {"app start a.b\nexpect app a.b statusBar.0 == 1",
       "2: expected a property at the end of 'statusBar.0'"},
      {"app start a.b\nexpect app a.b statusBar.class == 1", "2: a class is compared with a class name"},
      {"app start a.b\nexpect app a.b liveObjects > \"x\"", "2: 'liveObjects' is compared with a number"},
      {"app start a.b anonymous kit no", "1: an anonymous app gets what the filter gives"},
      {"post x object", "1: expected a string after 'object'"},
      {"device \"x\" like", "1: expected a known model after 'like'"},
  };
  for (const auto& c : cases) {
    std::string error = errorOf(c.text);
    EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error) << c.text << "\ngave: " << error;
    if (*c.error) {
      EXPECT_FALSE(error.empty()) << c.text;
    }
  }
}

}  // namespace
