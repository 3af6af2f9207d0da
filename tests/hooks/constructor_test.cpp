// Loading the library: the three subscriptions, the replaced and added methods, and what happens in a
// process that has none of the shell's classes.
#include <gtest/gtest.h>

#include "platform/runtime/message.h"
#include "platform/springboard/hud_controller.h"
#include "platform/springboard/status_bar_services.h"
#include "platform/uikit/application.h"
#include "support/phone.h"
#include "support/status_bar_stubs.h"

namespace {

using platform::PlistValue;
using testing_support::Phone;
using testing_support::PhoneOptions;

TEST(Constructor, SubscribesToTheThreeNotificationsInOrder) {
  PhoneOptions o;
  o.launch = false;
  Phone phone(o);
  auto observed = phone.events("notification.observe");
  ASSERT_EQ(observed.size(), 3u);
  struct Expected {
    const char* name;
    std::int64_t suspension;
  } expected[] = {{"velkarin.tarvo12/prefsChanged", 0},
                  {"velkarin.tarvo12.getstatusbarproperties", 4},
                  {"velkarin.tarvo12.storeColors", 4}};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(*observed[i].fields.find("name"), PlistValue(expected[i].name));
    EXPECT_EQ(*observed[i].fields.find("form"), PlistValue("CF"));
    EXPECT_EQ(*observed[i].fields.find("suspensionBehavior"), PlistValue(expected[i].suspension));
  }
}

TEST(Constructor, LoadsTheSettingsBeforeTheShellLaunches) {
  PhoneOptions o = testing_support::withSettings(testing_support::settings({{"durationDisplay", 3}}));
  o.launch = false;
  Phone phone(o);
  EXPECT_EQ(phone.tarvo().settings.DURATIONDISPLAY, 3.0f);
  EXPECT_EQ(phone.tarvo().images.sliderMinMaxValImageSize, (platform::CGSize{14, 14}));
  EXPECT_EQ(phone.tarvo().statusColors.size(), 0u);
  EXPECT_FALSE(phone.tarvo().tarvoHUD);  // the controller comes with the launch
  phone.launch();
  EXPECT_TRUE(phone.tarvo().tarvoHUD);
  EXPECT_EQ(phone.count("volume.read"), 2u);  // the ringer seed, then the slider's value
}

TEST(Constructor, AddsItsTwoMethodsToTheShellsClasses) {
  Phone phone;
  EXPECT_TRUE(rt::respondsToSelector(platform::sharedInstance(phone.springBoard, "SBStatusBarStateAggregator"),
                                     "forceUpdate"));
  EXPECT_TRUE(rt::respondsToSelector(platform::sharedHUDController(phone.springBoard), "modifyHUD:"));
}

TEST(Constructor, LoadingTwiceAnswersTheLoadedLibrary) {
  Phone phone;
  EXPECT_EQ(&tarvo::loadTarvo12(phone.springBoard), &phone.tarvo());
  EXPECT_EQ(phone.count("notification.observe"), 3u);
}

// In an app the shell's classes are absent: those entries are skipped, the status bar ones still act, and
// the app's colours reach the shell's cache.
TEST(Constructor, InAnAppOnlyTheStatusBarReplacementsAct) {
  Phone phone;
  platform::Process& app = phone.device.spawn("Notes", std::string("com.example.notes"));
  testing_support::registerStubStatusBars(app);
  platform::UIApplicationMain(app);
  tarvo::Tarvo12* lib = nullptr;
  ASSERT_NO_THROW(lib = &tarvo::loadTarvo12(app));
  EXPECT_FALSE(app.runtime().lookUpClass("SBStatusBarStateAggregator"));

  auto bar = testing_support::makeSplitStatusBar(app, std::nullopt);
  rt::send<void(std::optional<platform::UIColor>)>(bar, "setForegroundColor:",
                                                   platform::UIColor::colorWithHue(0.5, 1, 1, 0.5));
  rt::send<void(bool)>(rt::classObject(app.runtime().requireClass("_UIStatusBar")), "setForceSplit:", true);
  phone.device.drain();
  EXPECT_TRUE(lib->isForceSplit);
  EXPECT_FALSE(phone.tarvo().isForceSplit);  // each process has its own flag
  auto stored = phone.tarvo().statusColors.find("com.example.notes");
  ASSERT_TRUE(stored);
  EXPECT_NEAR((*stored)[0], 0.5f, 1e-6);
  EXPECT_NEAR((*stored)[1], 1.0f, 1e-6);
  EXPECT_NEAR((*stored)[2], 1.0f, 1e-6);
  // The app's own library has no controller, so it dropped the report it also received.
  EXPECT_EQ(lib->statusColors.size(), 0u);
}

}  // namespace
