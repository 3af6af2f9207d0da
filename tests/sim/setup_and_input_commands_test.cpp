#include <gtest/gtest.h>

#include "scenario_test_support.h"

namespace {

using namespace sim;
using simtest::lastCommand;
using simtest::parse;

TEST(SetupCommands, DescribeTheDeviceAsItBoots) {
  Scenario s = parse(
      "device iPhone9,4\n"
      "filter Tarvo12 com.apple.springboard uikit\n"
      "filter Tarvo12Kit none\n"
      "shell bar classic\n"
      "shell split-layout yes\n"
      "shell direction rtl\n"
      "level media 0.25\n"
      "level ringer 1\n");
  EXPECT_EQ(s.setup.model, "iPhone9,4");
  EXPECT_EQ(s.setup.tarvo12, (InjectionFilter{true, {"com.apple.springboard"}}));
  EXPECT_EQ(s.setup.tarvo12Kit, (InjectionFilter{false, {}}));
  EXPECT_EQ(s.setup.shellBar, BarKind::Classic);
  EXPECT_EQ(s.setup.shellReportsSplitLayout, true);
  EXPECT_EQ(s.setup.direction, LayoutDirection::RightToLeft);
  EXPECT_EQ(s.setup.mediaLevel, 0.25);
  EXPECT_EQ(s.setup.ringerLevel, 1.0);
}

TEST(SetupCommands, DefaultsLeaveThePlatformToDecide) {
  Scenario s = parse("");
  EXPECT_FALSE(s.setup.model);
  EXPECT_EQ(s.setup.tarvo12, (InjectionFilter{false, {"com.apple.springboard"}}));
  EXPECT_EQ(s.setup.tarvo12Kit, (InjectionFilter{true, {}}));
  EXPECT_FALSE(s.setup.shellBar);
  EXPECT_FALSE(s.setup.shellReportsSplitLayout);
  EXPECT_EQ(s.setup.direction, LayoutDirection::LeftToRight);
  EXPECT_FALSE(s.setup.mediaLevel);
  ASSERT_EQ(s.steps.size(), 1u);
  EXPECT_TRUE(std::get<Launch>(s.steps[0].command).implicit);
  EXPECT_EQ(parse("device \"iPhone11,8\"").setup.model, "iPhone11,8");
}

TEST(Launch, ImplicitAtTimeZeroBeforeTheFirstStepUnlessWritten) {
  Scenario implicit = parse("device iPhone10,3\nat 2s press up\n");
  ASSERT_EQ(implicit.steps.size(), 2u);
  EXPECT_TRUE(std::get<Launch>(implicit.steps[0].command).implicit);
  EXPECT_EQ(implicit.steps[0].time, 0);
  EXPECT_EQ(implicit.steps[0].line, 2u);

  Scenario explicitLaunch = parse("app start com.example.a\nwait 1s\nlaunch\n");
  ASSERT_EQ(explicitLaunch.steps.size(), 2u);
  EXPECT_TRUE(std::holds_alternative<StartApp>(explicitLaunch.steps[0].command));
  EXPECT_FALSE(std::get<Launch>(explicitLaunch.steps[1].command).implicit);
  EXPECT_EQ(explicitLaunch.steps[1].time, 1'000'000'000);

  Scenario timedLaunch = parse("at 3s launch\n");
  ASSERT_EQ(timedLaunch.steps.size(), 1u);
  EXPECT_EQ(timedLaunch.steps[0].time, 3'000'000'000);
}

TEST(InputCommands, PressesExpandToAbsoluteTimes) {
  struct Case {
    const char* text;
    VolumeButton button;
    std::vector<platform::Nanos> times;
  } cases[] = {
      {"wait 1s\npress up", VolumeButton::Up, {1'000'000'000}},
      {"press down 3", VolumeButton::Down, {0, 200'000'000, 400'000'000}},
      {"at 1s press up 2 every 500ms", VolumeButton::Up, {1'000'000'000, 1'500'000'000}},
      {"wait 1s\npress down at 1s 1.25s 1.25s 3",
       VolumeButton::Down,
       {1'000'000'000, 1'250'000'000, 1'250'000'000, 3'000'000'000}},
  };
  for (const auto& c : cases) {
    auto press = lastCommand<PressButton>(c.text);
    EXPECT_EQ(press.button, c.button) << c.text;
    EXPECT_EQ(press.times, c.times) << c.text;
  }
}

TEST(InputCommands, EachParsesIntoItsTypedStep) {
  EXPECT_EQ(lastCommand<SetButtonMode>("buttons ringer").mode, VolumeMode::Ringer);
  EXPECT_EQ(lastCommand<SetButtonMode>("buttons media").mode, VolumeMode::Media);
  EXPECT_TRUE(lastCommand<SetRingerSwitch>("ringer-switch silent").silent);
  EXPECT_FALSE(lastCommand<SetRingerSwitch>("ringer-switch ring").silent);
  EXPECT_EQ(lastCommand<TapPoint>("tap 187.5 -3").point, (Point{187.5, -3}));
  EXPECT_NO_THROW(lastCommand<TapHud>("tap hud"));
  EXPECT_NO_THROW(lastCommand<GoHome>("home"));
}

TEST(InputCommands, OrientationsByNameAndNumber) {
  struct Case {
    const char* text;
    Orientation orientation;
  } cases[] = {
      {"rotate portrait", Orientation::Portrait},
      {"rotate portrait-upside-down", Orientation::PortraitUpsideDown},
      {"rotate upside-down", Orientation::PortraitUpsideDown},
      {"rotate landscape-right", Orientation::LandscapeRight},
      {"rotate landscape-left", Orientation::LandscapeLeft},
      {"rotate 1", Orientation::Portrait},
      {"rotate 2", Orientation::PortraitUpsideDown},
      {"rotate 3", Orientation::LandscapeRight},
      {"rotate 4", Orientation::LandscapeLeft},
  };
  for (const auto& c : cases) EXPECT_EQ(lastCommand<Rotate>(c.text).orientation, c.orientation) << c.text;
}

TEST(InputCommands, PostCarriesNameSenderFormAndPayload) {
  auto post = lastCommand<PostNotification>(
      "app start com.example.notes\n"
      "post velkarin.tarvo12/prefsChanged from notes form cf immediately payload { level = real nan, n = "
      "[inf] }");
  EXPECT_EQ(post.name, "velkarin.tarvo12/prefsChanged");
  EXPECT_EQ(post.from, (ProcessRef{"com.example.notes"}));
  EXPECT_EQ(post.form, NotificationForm::CF);
  EXPECT_TRUE(post.deliverImmediately);
  ASSERT_TRUE(post.userInfo);
  EXPECT_TRUE(std::isnan(*post.userInfo->find("level")->doubleValue()));

  auto plain = lastCommand<PostNotification>("post \"some name\" form ns from SpringBoard");
  EXPECT_EQ(plain.name, "some name");
  EXPECT_TRUE(plain.from.isShell());
  EXPECT_EQ(plain.form, NotificationForm::NS);
  EXPECT_FALSE(plain.deliverImmediately);
  EXPECT_FALSE(plain.userInfo);
}

}  // namespace
