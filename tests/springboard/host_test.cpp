// The shell stand-in on its own, without Tarvo12: what a phone does with its buttons, switch and rotation.
#include <gtest/gtest.h>

#include "platform/runtime/message.h"
#include "platform/springboard/hud_controller.h"
#include "platform/springboard/springboard_app.h"
#include "platform/springboard/status_bar_services.h"
#include "platform/springboard/volume_control.h"
#include "platform/uikit/status_bar_server.h"
#include "platform/uikit/window.h"
#include "support/phone.h"

namespace {

using platform::PlistValue;
using testing_support::Phone;
using testing_support::PhoneOptions;

PhoneOptions bareShell(platform::SpringBoardOptions springBoard = {}) {
  PhoneOptions o;
  o.loadLibrary = false;
  o.springBoard = springBoard;
  return o;
}

TEST(Host, LaunchFinishesThroughTheRuntimeOnce) {
  Phone phone(bareShell());
  auto app = rt::cast<platform::SpringBoard>(phone.springBoard.application());
  ASSERT_TRUE(app);
  EXPECT_TRUE(app->launched);
  EXPECT_EQ(phone.count("springboard.launched"), 1u);
}

TEST(Host, VolumeButtonsStepInSixteenthsWithinTheirFloors) {
  struct Case {
    bool ringer;
    float start;
    bool up;
    int presses;
    float expected;
    std::int64_t mode;
  } cases[] = {
      {false, 0.5f, true, 1, 0.5625f, 0},    // media up
      {false, 0.5f, false, 2, 0.375f, 0},    // media down
      {false, 0.0625f, false, 3, 0.0f, 0},   // media stops at silence
      {false, 0.9375f, true, 4, 1.0f, 0},    // and at the top
      {true, 0.25f, false, 10, 0.0625f, 1},  // the ringer never goes below its lowest step
      {true, 0.5f, true, 1, 0.5625f, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "ringer " << c.ringer << " start " << c.start);
    platform::SpringBoardOptions sb;
    sb.buttonsChangeRinger = c.ringer;
    (c.ringer ? sb.ringerVolume : sb.mediaVolume) = c.start;
    Phone phone(bareShell(sb));
    for (int i = 0; i < c.presses; ++i) phone.press(c.up);
    auto control = platform::sharedVolumeControl(phone.springBoard);
    EXPECT_FLOAT_EQ(control->volume(), c.expected);
    // Each press: the step, the level on the volume view in the right mode, the view presented.
    auto changes = phone.events("volume.change");
    ASSERT_EQ(changes.size(), static_cast<std::size_t>(c.presses));
    EXPECT_EQ(*changes[0].fields.find("step"), PlistValue(c.up ? 0.0625f : -0.0625f));
    auto progress = phone.events("hud.progress");
    ASSERT_EQ(progress.size(), static_cast<std::size_t>(c.presses));
    EXPECT_EQ(*progress.back().fields.find("progress"), PlistValue(c.expected));
    EXPECT_EQ(*progress.back().fields.find("mode"), PlistValue(c.mode));
    EXPECT_EQ(phone.count("hud.present", "view", "SBVolumeHUDView"), static_cast<std::size_t>(c.presses));
  }
}

TEST(Host, TheStockHudShowsTheLevelAndDismissesItselfAfterItsDelay) {
  Phone phone(bareShell());
  auto hud = platform::sharedHUDController(phone.springBoard);
  phone.press();
  ASSERT_TRUE(hud->window());
  EXPECT_FALSE(hud->window()->isHidden());
  auto view = rt::cast<platform::SBHUDView>(hud->presentedView());
  ASSERT_TRUE(view);
  EXPECT_FLOAT_EQ(view->progress, 0.5625f);
  // Backdrop and the plain content view are there while nothing strips them.
  ASSERT_EQ(view->subviews().size(), 2u);
  EXPECT_EQ(view->subviews()[0]->className(), "_UIBackdropView");
  EXPECT_EQ(view->subviews()[1]->className(), "UIView");

  phone.advance(0.99);
  EXPECT_FALSE(hud->window()->isHidden());
  phone.advance(0.3);  // one second, then a 0.2 s fade
  EXPECT_TRUE(hud->window()->isHidden());
  EXPECT_EQ(phone.count("hud.dismiss"), 1u);

  // A press while shown keeps it up: only the last presentation dismisses.
  phone.press();
  phone.advance(0.8);
  phone.press();
  phone.advance(0.8);
  EXPECT_FALSE(hud->window()->isHidden());
  phone.advance(0.5);
  EXPECT_TRUE(hud->window()->isHidden());
}

TEST(Host, TheRingerSwitchGoesThroughTheShellAndPresentsTheRingerView) {
  Phone phone(bareShell());
  auto app = rt::cast<platform::SpringBoard>(phone.springBoard.application());
  phone.ringerSwitch(true);
  EXPECT_TRUE(app->ringerSilent);
  EXPECT_EQ(phone.count("springboard.ringerState", "state", 0), 1u);
  EXPECT_EQ(phone.count("hud.present", "view", "SBRingerHUDView"), 1u);
  phone.ringerSwitch(false);
  EXPECT_FALSE(app->ringerSilent);
  EXPECT_EQ(phone.count("springboard.ringerState", "state", 1), 1u);
  EXPECT_EQ(phone.count("hud.present", "view", "SBRingerHUDView"), 2u);
}

TEST(Host, RotationReorientsAndRecentresTheStockHud) {
  Phone phone(bareShell());
  auto hud = platform::sharedHUDController(phone.springBoard);
  phone.press();
  phone.rotate(3);
  EXPECT_EQ(hud->orientation, 3);
  auto reorient = phone.events("hud.reorient");
  ASSERT_EQ(reorient.size(), 1u);
  EXPECT_EQ(*reorient[0].fields.find("needed"), PlistValue(true));
  EXPECT_EQ(*reorient[0].fields.find("orientation"), PlistValue(std::int64_t{3}));
  EXPECT_EQ(phone.count("hud.recenter", "orientation", std::int64_t{3}), 1u);
  auto view = rt::cast<platform::UIView>(hud->presentedView());
  ASSERT_TRUE(view);
  // A quarter turn clockwise, centred on the screen.
  EXPECT_NEAR(view->transform().b, 1.0, 1e-12);
  EXPECT_NEAR(view->center().x, 375 / 2.0, 1e-9);
  EXPECT_NEAR(view->center().y, 667 / 2.0, 1e-9);
}

TEST(Host, FrontApplicationIsAnsweredWithItsBundleIdentifier) {
  Phone phone(bareShell());
  rt::Id app = phone.springBoard.application();
  EXPECT_EQ(rt::send<rt::Id()>(app, "_accessibilityFrontMostApplication"), nullptr);
  phone.front("com.example.notes");
  rt::Id front = rt::send<rt::Id()>(app, "_accessibilityFrontMostApplication");
  ASSERT_TRUE(front);
  EXPECT_EQ(rt::send<std::optional<std::string>()>(front, "bundleIdentifier"), "com.example.notes");
  // The same application object each time.
  EXPECT_EQ(rt::send<rt::Id()>(app, "_accessibilityFrontMostApplication"), front);
}

TEST(Host, StatusBarItemsStayDisabledUntilEveryRequestorEnablesThem) {
  Phone phone(bareShell());
  auto& server = phone.device.service<platform::StatusBarServer>();
  rt::Id provider = platform::sharedInstance(phone.springBoard, "SBMainStatusBarStateProvider");
  rt::Id first = platform::sharedInstance(phone.springBoard, "SBStatusBarStateAggregator");
  rt::Id second = platform::sharedInstance(phone.springBoard, "SBTelephonySubscriptionInfo");
  rt::send<void(int, rt::Id)>(provider, "disableStatusBarItem:requestor:", 3, first);
  rt::send<void(int, rt::Id)>(provider, "disableStatusBarItem:requestor:", 3, second);
  EXPECT_TRUE(server.isDisabled(3));
  rt::send<void(int, rt::Id)>(provider, "enableStatusBarItem:requestor:", 3, first);
  EXPECT_TRUE(server.isDisabled(3));
  EXPECT_FALSE(server.isDisabledBy(3, first.get()));
  rt::send<void(int, rt::Id)>(provider, "enableStatusBarItem:requestor:", 3, second);
  EXPECT_FALSE(server.isDisabled(3));
  EXPECT_EQ(phone.count("statusbar.disable", "item", 3), 2u);
  EXPECT_EQ(phone.count("statusbar.enable", "item", 3), 2u);

  rt::send<void(bool)>(provider, "setTimeCloaked:", true);
  EXPECT_TRUE(server.timeCloaked());
  rt::send<void(bool)>(provider, "setTimeCloaked:", false);
  EXPECT_FALSE(server.timeCloaked());
}

TEST(Host, TheServiceItemShowsWhatTheOperatorNameAnswersAtEachRefresh) {
  Phone phone(bareShell());
  auto& server = phone.device.service<platform::StatusBarServer>();
  rt::Id aggregator = platform::sharedInstance(phone.springBoard, "SBStatusBarStateAggregator");
  auto telephony = rt::cast<platform::SBTelephonySubscriptionInfo>(
      platform::sharedInstance(phone.springBoard, "SBTelephonySubscriptionInfo"));
  telephony->carrierName = "Tarvonet";
  rt::send<void()>(aggregator, "_updateServiceItem");
  EXPECT_EQ(server.serviceText(), "Tarvonet");
  auto refresh = phone.events("statusbar.updateServiceItem");
  ASSERT_EQ(refresh.size(), 1u);
  EXPECT_EQ(*refresh[0].fields.find("operatorName"), PlistValue("Tarvonet"));
  EXPECT_EQ(*refresh[0].fields.find("blank"), PlistValue(false));

  rt::send<void(int)>(aggregator, "updateStatusBarItem:", 7);
  rt::send<void(int)>(aggregator, "_notifyItemChanged:", 7);
  EXPECT_EQ(server.refreshCount(7), 1);
  EXPECT_EQ(phone.count("statusbar.updateItem", "item", 7), 1u);
  EXPECT_EQ(phone.count("statusbar.notifyItemChanged", "item", 7), 1u);
}

}  // namespace
