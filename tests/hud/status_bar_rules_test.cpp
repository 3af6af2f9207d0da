// Which status bar requests a show and the following hide make, for every combination that matters.
#include <gtest/gtest.h>

#include <algorithm>

#include "hud/status_bar_requests.h"
#include "platform/runtime/message.h"
#include "platform/uikit/status_bar_server.h"
#include "platform/uikit/view.h"
#include "support/phone.h"
#include "support/status_bar_stubs.h"

namespace {

using platform::PlistValue;
using testing_support::Phone;
using testing_support::PhoneOptions;
using Requests = std::vector<std::string>;

// The status bar requests from the trace, from event `from` on, in a short form: "disable 3", "enable 0",
// "cloak on", "service", "forceUpdate" (its 82 messages), "timeX hide", "bar show 0.25".
Requests requestsSince(const Phone& phone, std::size_t from) {
  Requests out;
  const auto& events = phone.device.trace().events();
  for (std::size_t i = from; i < events.size(); ++i) {
    const auto& e = events[i];
    auto field = [&](const char* key) { return e.fields.find(key); };
    if (e.kind == "statusbar.disable" || e.kind == "statusbar.enable") {
      EXPECT_EQ(*field("requestor"), PlistValue("UIView"));  // always the HUD's view
      out.push_back((e.kind == "statusbar.disable" ? "disable " : "enable ") +
                    std::to_string(*field("item")->intValue()));
    } else if (e.kind == "statusbar.timeCloaked") {
      out.push_back(*field("cloaked")->boolValue() ? "cloak on" : "cloak off");
    } else if (e.kind == "statusbar.updateServiceItem") {
      out.push_back("service");
    } else if (e.kind == "statusbar.updateItem" && *field("item") == PlistValue(0)) {
      out.push_back("forceUpdate");
    } else if (e.kind == "notification.post") {
      const std::string& name = *field("name")->asString();
      if (name != "velkarin.tarvo12.toggleTimeX" && name != "velkarin.tarvo12.modifystatusbar") continue;
      const auto& info = *field("userInfo")->asDict();
      const std::string& modifier = *info.find("modifier")->asString();
      if (name == "velkarin.tarvo12.toggleTimeX") out.push_back("timeX " + modifier);
      if (name == "velkarin.tarvo12.modifystatusbar") {
        char duration[16];
        std::snprintf(duration, sizeof duration, "%g", *info.find("animationDuration")->doubleValue());
        out.push_back("bar " + modifier + " " + duration);
      }
    }
  }
  return out;
}

Requests group(const char* verb, const int* items, std::size_t n) {
  Requests out;
  for (std::size_t i = 0; i < n; ++i) out.push_back(std::string(verb) + " " + std::to_string(items[i]));
  return out;
}
Requests left(const char* verb) { return group(verb, tarvo::kLeftItems, std::size(tarvo::kLeftItems)); }
Requests right(const char* verb) { return group(verb, tarvo::kRightItems, std::size(tarvo::kRightItems)); }
Requests operator+(Requests a, const Requests& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Device {
  bool notched;     // isIPhoneX
  bool forceSplit;  // isForceSplit
};

std::unique_ptr<Phone> makePhone(const platform::PlistDict& file, Device device) {
  PhoneOptions o = device.notched ? testing_support::notchedPhone() : PhoneOptions{};
  o.settings = file;
  o.beforeLoad = testing_support::registerStubStatusBars;
  auto phone = std::make_unique<Phone>(o);
  if (device.forceSplit)
    rt::send<void(bool)>(rt::classObject(phone->springBoard.runtime().requireClass("_UIStatusBar")), "setForceSplit:",
                         true);
  return phone;
}

struct ShowHide {
  Requests show, hide;
};

// One volume step, then the whole hide.
ShowHide showAndHide(Phone& phone) {
  std::size_t start = phone.device.trace().events().size();
  phone.press();
  ShowHide out;
  out.show = requestsSince(phone, start);
  start = phone.device.trace().events().size();
  phone.advance(3);
  out.hide = requestsSince(phone, start);
  return out;
}

const Requests kNotchedShow{"service", "disable 0", "timeX hide"};
const Requests kNotchedHide{"service", "enable 0", "forceUpdate", "timeX show"};

TEST(StatusBarRules, FirstMatchingRuleInPriority) {
  struct Case {
    const char* name;
    std::vector<const char*> on;
    Device device;
    Requests show, hide;
  } cases[] = {
      {"nothing", {}, {false, false}, {}, {}},
      {"whole bar", {"statusBarHideAll"}, {false, false}, {"bar hide 0.25"}, {"bar show 0.25"}},
      {"time", {"statusBarHideTime"}, {false, false}, {"cloak on"}, {"cloak off", "forceUpdate"}},
      {"left", {"statusBarHideLeft"}, {false, false}, left("disable"), left("enable") + Requests{"forceUpdate"}},
      {"right", {"statusBarHideRight"}, {false, false}, right("disable"), right("enable") + Requests{"forceUpdate"}},
      {"left and right: left only",
       {"statusBarHideLeft", "statusBarHideRight"},
       {false, false},
       left("disable"),
       left("enable") + Requests{"forceUpdate"}},
      {"time with left: time only",
       {"statusBarHideTime", "statusBarHideLeft"},
       {false, false},
       {"cloak on"},
       {"cloak off", "forceUpdate"}},
      {"whole bar wins over the rest",
       {"statusBarHideAll", "statusBarHideTime", "statusBarHideLeft", "statusBarHideRight"},
       {false, false},
       {"bar hide 0.25"},
       {"bar show 0.25"}},
      {"time area on a classic bar does nothing", {"statusBarHideTimeX"}, {false, false}, {}, {}},
      {"time area on a notched model", {"statusBarHideTimeX"}, {true, false}, kNotchedShow, kNotchedHide},
      {"time area on a forced split bar", {"statusBarHideTimeX"}, {false, true}, kNotchedShow, kNotchedHide},
      {"time area then time: already hidden",
       {"statusBarHideTimeX", "statusBarHideTime"},
       {true, false},
       kNotchedShow,
       kNotchedHide},
      {"time area and whole bar",
       {"statusBarHideTimeX", "statusBarHideAll"},
       {true, false},
       kNotchedShow + Requests{"bar hide 0.25"},
       kNotchedHide + Requests{"bar show 0.25"}},
      {"both flags: the time area only",
       {"statusBarHideTimeX", "statusBarHideAll", "statusBarHideLeft"},
       {true, true},
       kNotchedShow,
       kNotchedHide},
      {"both flags without the time area: nothing", {"statusBarHideAll", "statusBarHideTime"}, {true, true}, {}, {}},
      {"notched model, classic rules still apply", {"statusBarHideTime"}, {true, false}, {"cloak on"},
       {"cloak off", "forceUpdate"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform::PlistDict file;
    for (const char* key : c.on) file.set(key, true);
    auto owned = makePhone(file, c.device);
    Phone& phone = *owned;
    ShowHide got = showAndHide(phone);
    EXPECT_EQ(got.show, c.show);
    EXPECT_EQ(got.hide, c.hide);
    // What lint predicts a show hides is what the show asked for.
    const tarvo::StatusBarHiding predicted =
        tarvo::hidingOnFirstShow(phone.tarvo().settings, c.device.notched, c.device.forceSplit);
    auto asked = [&](const std::string& request) {
      return std::find(got.show.begin(), got.show.end(), request) != got.show.end();
    };
    EXPECT_EQ(predicted.timeArea, asked("timeX hide"));
    const Requests firstLeft = left("disable"), firstRight = right("disable");
    tarvo::ClassicHiding seen = asked("bar hide 0.25")       ? tarvo::ClassicHiding::WholeBar
                                : asked("cloak on")          ? tarvo::ClassicHiding::Time
                                : asked(firstLeft.front())   ? tarvo::ClassicHiding::LeftItems
                                : asked(firstRight.front())  ? tarvo::ClassicHiding::RightItems
                                                             : tarvo::ClassicHiding::None;
    EXPECT_EQ(predicted.classic, seen);
  }
}

TEST(StatusBarRules, TheCommandsCarryTheCurrentAnimationDuration) {
  auto owned = makePhone(testing_support::settings({{"statusBarHideAll", true}, {"durationAnimation", 0.3}}),
                          {false, false});
  Phone& phone = *owned;
  ShowHide got = showAndHide(phone);
  EXPECT_EQ(got.show, (Requests{"bar hide 0.3"}));
  auto payload = phone.posted("velkarin.tarvo12.modifystatusbar").front();
  EXPECT_EQ(*payload.find("animationDuration"), PlistValue(0.3f));  // a float, boxed
}

TEST(StatusBarRules, ASecondShowHidesNothingTwiceButResendsTheWholeBarCommand) {
  struct Case {
    const char* key;
    Requests second;
  } cases[] = {{"statusBarHideLeft", {}}, {"statusBarHideTime", {}}, {"statusBarHideAll", {"bar hide 0.25"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    auto owned = makePhone(testing_support::settings({{c.key, true}}), {false, false});
    Phone& phone = *owned;
    phone.press();
    std::size_t start = phone.device.trace().events().size();
    phone.press();
    EXPECT_EQ(requestsSince(phone, start), c.second);
  }
}

TEST(StatusBarRules, TheFirstHideRestoresEvenWhenNothingWasHidden) {
  auto owned = makePhone({}, {false, false});
  Phone& phone = *owned;
  phone.press();
  phone.changeSettings(testing_support::settings({{"statusBarHideRight", true}}));
  std::size_t start = phone.device.trace().events().size();
  phone.advance(3);
  EXPECT_EQ(requestsSince(phone, start), right("enable") + Requests{"forceUpdate"});
}

TEST(StatusBarRules, OptionsChangedBetweenShowAndHideRestoreByTheNewOptions) {
  auto owned = makePhone(testing_support::settings({{"statusBarHideLeft", true}}), {false, false});
  Phone& phone = *owned;
  auto& server = phone.device.service<platform::StatusBarServer>();
  phone.press();
  EXPECT_TRUE(server.isDisabledBy(3, phone.tarvo().views.tarvoHUDView.get()));
  phone.changeSettings(testing_support::settings({{"statusBarHideRight", true}}));
  std::size_t start = phone.device.trace().events().size();
  phone.advance(3);
  EXPECT_EQ(requestsSince(phone, start), right("enable") + Requests{"forceUpdate"});
  EXPECT_TRUE(server.isDisabled(3));  // hidden under the old options, and left so
  // The next show hides by the new options.
  start = phone.device.trace().events().size();
  phone.press();
  EXPECT_EQ(requestsSince(phone, start), right("disable"));
}

TEST(StatusBarRules, TheSplitTimeAreaIsBlankedAndRestoredOnTheDevice) {
  auto owned = makePhone(testing_support::settings({{"statusBarHideTimeX", true}}), {true, false});
  Phone& phone = *owned;
  auto& server = phone.device.service<platform::StatusBarServer>();
  phone.press();
  EXPECT_TRUE(server.isDisabled(platform::status_bar_item::kTime));
  EXPECT_EQ(server.serviceText(), "");
  phone.advance(3);
  EXPECT_FALSE(server.isDisabled(platform::status_bar_item::kTime));
  EXPECT_EQ(server.serviceText(), "Carrier");
}

}  // namespace
