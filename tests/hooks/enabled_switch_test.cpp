// The master switch: with "isEnabled" off the shell behaves as without the library, except for the few
// things that never consult it; turned on later, the first volume step brings the HUD.
#include <gtest/gtest.h>

#include "platform/springboard/hud_controller.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/window.h"
#include "support/phone.h"

namespace {

using platform::PlistValue;
using testing_support::Phone;
using testing_support::PhoneOptions;
using testing_support::settings;

constexpr std::string_view kShellKinds[] = {"button.", "springboard.", "volume.", "hud.", "statusbar.", "interface.",
                                            "sound"};

// What the shell itself did, in order, with times and fields: everything but the library's own effects.
std::vector<std::string> shellEvents(const Phone& phone) {
  std::vector<std::string> out;
  for (const auto& e : phone.device.trace().events()) {
    bool shell = false;
    for (auto prefix : kShellKinds) shell = shell || e.kind.rfind(prefix, 0) == 0;
    if (shell) out.push_back(platform::toJsonLine(e));
  }
  return out;
}

void playScenario(Phone& phone) {
  phone.press(true);
  phone.press(true);
  phone.advance(0.5);
  phone.press(false);
  phone.ringerSwitch(true);
  phone.advance(2);
  phone.ringerSwitch(false);
  phone.rotate(3);
  phone.press(true);
  phone.rotate(1);
  phone.advance(3);
  phone.front("com.example.notes");
  phone.press(false);
  phone.advance(3);
}

TEST(EnabledSwitch, OffLeavesTheShellAsWithoutTheLibrary) {
  for (bool ringerButtons : {false, true}) {
    SCOPED_TRACE(ringerButtons ? "buttons change the ringer" : "buttons change media");
    PhoneOptions bare;
    bare.loadLibrary = false;
    bare.springBoard.buttonsChangeRinger = ringerButtons;
    PhoneOptions off = testing_support::withSettings(settings({{"isEnabled", false}, {"hapticEnabled", true}}));
    off.springBoard.buttonsChangeRinger = ringerButtons;

    Phone without(bare);
    Phone with(off);
    playScenario(without);
    playScenario(with);
    EXPECT_EQ(shellEvents(with), shellEvents(without));
    EXPECT_FALSE(with.tarvo().tarvoHUD);  // never created while off
    EXPECT_EQ(with.count("timer.schedule"), 0u);

    // The stock view got its progress and kept its backdrop.
    auto hud = platform::sharedHUDController(with.springBoard);
    auto view = hud->volumeHUDView(0);
    EXPECT_EQ(view->subviews().size(), 2u);
  }
}

TEST(EnabledSwitch, OffStillRunsTheModelTestAtLaunch) {
  PhoneOptions o = testing_support::withSettings(settings({{"isEnabled", false}}), testing_support::notchedPhone());
  Phone phone(o);
  EXPECT_TRUE(phone.tarvo().isIPhoneX);
  EXPECT_FALSE(phone.tarvo().tarvoHUD);
}

TEST(EnabledSwitch, ModelTestAtLaunchForEachModel) {
  struct Case {
    const char* model;
    bool notched;
  } cases[] = {{"iPhone10,3", true},  {"iPhone10,6", true},   {"iPhone11,8", true}, {"iPhone11,2", true},
               {"iPhone11,6", true},  {"iPhone11,6 ", false}, {"iPhone11,4", false}, {"iphone10,3", false},
               {"x86_64", false}};
  for (const auto& c : cases) {
    PhoneOptions o;
    o.model = c.model;
    o.launch = false;
    Phone phone(o);
    EXPECT_FALSE(phone.tarvo().isIPhoneX) << c.model;  // nothing before the launch
    phone.launch();
    EXPECT_EQ(phone.tarvo().isIPhoneX, c.notched) << c.model;
  }
}

TEST(EnabledSwitch, OffStillLaysOutAnExistingHudWhenTheShellRecentres) {
  Phone phone;
  auto window = phone.tarvo().views.tarvoHUDWindow;
  ASSERT_TRUE(window);
  phone.changeSettings(settings({{"isEnabled", false}}));
  phone.rotate(1);
  EXPECT_EQ(window->bounds().size, (platform::CGSize{100, 28}));  // 80 + 2 x 10 wide, 4 + 2 x 12 high
  EXPECT_TRUE(window->isHidden());
  phone.rotate(3);
  EXPECT_NEAR(window->transform().b, 1.0, 1e-12);
}

TEST(EnabledSwitch, TurnedOnAfterLaunchTheFirstStepCreatesTheHudWithoutSeedingTheRinger) {
  platform::SpringBoardOptions sb;
  sb.ringerVolume = 0.75f;
  PhoneOptions o = testing_support::withSettings(settings({{"isEnabled", false}}));
  o.springBoard = sb;
  Phone phone(o);
  ASSERT_FALSE(phone.tarvo().tarvoHUD);
  phone.changeSettings(settings({{"volumePercentage", true}}));
  ASSERT_FALSE(phone.tarvo().tarvoHUD);  // the reload alone creates nothing

  phone.press();
  ASSERT_TRUE(phone.tarvo().tarvoHUD);
  EXPECT_FALSE(phone.hudFlag("tarvoHUDWindow.hidden"));
  EXPECT_EQ(phone.tarvo().volume.ringerVolume, 0.0f);

  // Until a ringer level arrives, ringing shows the ringer at 0 (the lowest ringer step on the slider).
  phone.advance(3);
  phone.ringerSwitch(false);
  auto move = testing_support::lastChange(phone, "UISliderExtended", "value");
  ASSERT_TRUE(move);
  EXPECT_EQ(*move->find("to"), PlistValue(0.0));
  EXPECT_EQ(phone.hudText("tarvoHUDLabel.text"), "0%");
}

}  // namespace
