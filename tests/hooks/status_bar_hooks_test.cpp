// The status bar replacements and forceUpdate: none of them consults the master switch.
#include <gtest/gtest.h>

#include "platform/runtime/message.h"
#include "platform/springboard/status_bar_services.h"
#include "support/phone.h"
#include "support/status_bar_stubs.h"

namespace {

using platform::PlistValue;
using platform::UIColor;
using testing_support::Phone;
using testing_support::PhoneOptions;
using testing_support::settings;

PhoneOptions withStubs(platform::PlistDict file = {}, PhoneOptions o = {}) {
  o.settings = std::move(file);
  o.beforeLoad = testing_support::registerStubStatusBars;
  return o;
}

std::optional<std::string> operatorName(Phone& phone) {
  return rt::send<std::optional<std::string>()>(platform::sharedInstance(phone.springBoard, "SBTelephonySubscriptionInfo"),
                                                "operatorName");
}

TEST(StatusBarHooks, ForceUpdateSends41UpdatesThen41ChangeNotifications) {
  for (bool enabled : {true, false}) {
    Phone phone(withStubs(settings({{"isEnabled", enabled}})));
    phone.clearTrace();
    rt::send<void()>(platform::sharedInstance(phone.springBoard, "SBStatusBarStateAggregator"), "forceUpdate");
    std::vector<std::pair<std::string, PlistValue>> seen;
    for (const auto& e : phone.device.trace().events())
      if (e.kind.rfind("statusbar.", 0) == 0) seen.emplace_back(e.kind, *e.fields.find("item"));
    ASSERT_EQ(seen.size(), 82u);
    for (int i = 0; i < 41; ++i) {
      EXPECT_EQ(seen[i], (std::pair<std::string, PlistValue>{"statusbar.updateItem", i}));
      EXPECT_EQ(seen[41 + i], (std::pair<std::string, PlistValue>{"statusbar.notifyItemChanged", i}));
    }
  }
}

TEST(StatusBarHooks, OperatorNameIsBlankOnlyWhileItemsAreHiddenWithTheTimeAreaSetting) {
  struct Case {
    bool timeX;
    bool enabled;
    bool blankWhileShown;
  } cases[] = {{true, true, true}, {false, true, false}, {true, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "timeX " << c.timeX << " enabled " << c.enabled);
    // The clock is cloaked on a classic bar: items are hidden although the split path does not apply.
    Phone phone(withStubs(settings({{"statusBarHideTime", true}, {"statusBarHideTimeX", c.timeX},
                                    {"isEnabled", c.enabled}})));
    EXPECT_EQ(operatorName(phone), "Carrier");
    phone.press();
    EXPECT_EQ(phone.hudFlag("hidingStatusBarItems"), c.enabled);
    EXPECT_EQ(operatorName(phone), c.blankWhileShown ? std::nullopt : std::optional<std::string>("Carrier"));
    phone.advance(3);
    EXPECT_EQ(operatorName(phone), "Carrier");
  }
}

TEST(StatusBarHooks, TheServiceItemRefreshMeetsTheAnswerThatBelongsToIt) {
  PhoneOptions o = withStubs(settings({{"statusBarHideTimeX", true}}), testing_support::notchedPhone());
  Phone phone(o);
  phone.press();
  phone.advance(3);
  auto refreshes = phone.events("statusbar.updateServiceItem");
  ASSERT_EQ(refreshes.size(), 2u);
  EXPECT_EQ(*refreshes[0].fields.find("blank"), PlistValue(true));   // on show
  EXPECT_EQ(*refreshes[1].fields.find("blank"), PlistValue(false));  // on restore
}

TEST(StatusBarHooks, ForcingTheSplitSetsTheFlagForGood) {
  struct Case {
    std::vector<bool> calls;
    bool flag;
  } cases[] = {{{false}, false}, {{true}, true}, {{true, false}, true}, {{false, false, true}, true}};
  for (const auto& c : cases) {
    Phone phone(withStubs(settings({{"isEnabled", false}})));
    rt::Id cls = rt::classObject(phone.springBoard.runtime().requireClass("_UIStatusBar"));
    for (bool flag : c.calls) rt::send<void(bool)>(cls, "setForceSplit:", flag);
    EXPECT_EQ(phone.tarvo().isForceSplit, c.flag);
    // The previous implementation got every call with the same flag.
    std::vector<bool> passedOn;
    for (const auto& e : phone.events("statusbar.forceSplit")) passedOn.push_back(*e.fields.find("flag")->boolValue());
    EXPECT_EQ(passedOn, c.calls);
  }
}

TEST(StatusBarHooks, AModernBarSetsTheFlagAndItsAnswerIsPassedOn) {
  Phone phone(withStubs(settings({{"isEnabled", false}})));
  auto classic = testing_support::makeStatusBarBase(phone.springBoard, false);
  EXPECT_FALSE(rt::send<bool()>(classic, "_usesModernBar"));
  EXPECT_FALSE(phone.tarvo().isForceSplit);
  auto modern = testing_support::makeStatusBarBase(phone.springBoard, true);
  EXPECT_TRUE(rt::send<bool()>(modern, "_usesModernBar"));
  EXPECT_TRUE(phone.tarvo().isForceSplit);
  EXPECT_FALSE(rt::send<bool()>(classic, "_usesModernBar"));
  EXPECT_TRUE(phone.tarvo().isForceSplit);
}

TEST(StatusBarHooks, ForegroundColoursAreReportedForTheCache) {
  Phone phone(withStubs(settings({{"isEnabled", false}})));
  auto bar = testing_support::makeSplitStatusBar(phone.springBoard, UIColor::redColor());
  using SetColor = void(std::optional<UIColor>);

  rt::send<SetColor>(bar, "setForegroundColor:", std::nullopt);
  EXPECT_FALSE(bar->foregroundColor);  // the previous implementation ran
  EXPECT_TRUE(phone.posted("velkarin.tarvo12.storeColors").empty());

  rt::send<SetColor>(bar, "setForegroundColor:", UIColor::whiteColor());
  rt::send<SetColor>(bar, "setForegroundColor:", UIColor::whiteColor());  // the same colour is posted again
  EXPECT_EQ(bar->foregroundColor, UIColor::whiteColor());
  auto posts = phone.events("notification.post");
  ASSERT_EQ(posts.size(), 2u);
  EXPECT_EQ(*posts[0].fields.find("form"), PlistValue("CF"));
  EXPECT_EQ(*posts[0].fields.find("deliverImmediately"), PlistValue(true));
  platform::PlistDict expected;
  expected.set("bundle", "com.apple.springboard");
  expected.set("hue", 0.0f);
  expected.set("saturation", 0.0f);
  expected.set("brightness", 1.0f);
  expected.set("alpha", 1.0f);
  const auto& payload = *posts[0].fields.find("userInfo")->asDict();
  EXPECT_EQ(payload, expected);
  std::vector<std::string> keys;
  for (const auto& [key, value] : payload) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"bundle", "hue", "saturation", "brightness", "alpha"}));
}

TEST(StatusBarHooks, AProcessWithoutABundleIdentifierIsNotFiled) {
  Phone phone;
  platform::Process& daemon = phone.device.spawn("daemon", std::nullopt);
  testing_support::registerStubStatusBars(daemon);
  tarvo::loadTarvo12(daemon);
  auto bar = testing_support::makeSplitStatusBar(daemon, std::nullopt);
  rt::send<void(std::optional<UIColor>)>(bar, "setForegroundColor:", UIColor::blueColor());
  phone.device.drain();
  auto posts = phone.posted("velkarin.tarvo12.storeColors");
  ASSERT_EQ(posts.size(), 1u);
  EXPECT_FALSE(posts[0].contains("bundle"));
  EXPECT_EQ(phone.tarvo().statusColors.size(), 0u);
}

}  // namespace
