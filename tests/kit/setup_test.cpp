#include "kit_fixture.h"
#include "platform/uikit/uikit_classes.h"

namespace {

using namespace platform;
using kit_test::KitTest;
namespace protocol = tarvo::protocol;

const std::string kToggle(protocol::kToggleTimeX);
const std::string kRequest(protocol::kRequestStatusBarProperties);
const std::string kModify(protocol::kModifyStatusBar);

TEST_F(KitTest, LoadingReplacesUIApplicationInitAndSubscribesToNothingYet) {
  Process& app = device.spawn("App", "com.example.app");
  loadUIKit(app);
  rt::Class& applicationClass = app.runtime().requireClass("UIApplication");
  const rt::Imp* before = applicationClass.ownMethod("init");
  ASSERT_NE(before, nullptr);
  const auto stockInit = before->function;
  // The other initialisers the process answers, which must stay as they are.
  const char* others[] = {"NSObject", "UIView", "UIWindow", "UIStatusBar_Base", "_UIStatusBar"};
  std::vector<std::shared_ptr<const void>> otherInits;
  for (const char* name : others) {
    const rt::Imp* own = app.runtime().requireClass(name).ownMethod("init");
    otherInits.push_back(own ? own->function : nullptr);
  }

  auto& kit = tarvokit::Tarvo12Kit::load(app);
  EXPECT_EQ(&tarvokit::Tarvo12Kit::load(app), &kit);  // loaded once
  EXPECT_NE(applicationClass.ownMethod("init")->function, stockInit);
  EXPECT_TRUE(kit.previousInit);
  for (std::size_t i = 0; i < std::size(others); ++i) {
    const rt::Imp* own = app.runtime().requireClass(others[i]).ownMethod("init");
    EXPECT_EQ(own ? own->function : nullptr, otherInits[i]) << others[i];
  }
  EXPECT_TRUE(observedNames(app).empty());
  EXPECT_EQ(device.bus().observerCount(protocol::kToggleTimeX), 0u);
}

struct RegistrationCase {
  std::optional<std::string> bundle;
  std::vector<std::string> expected;
};

TEST_F(KitTest, ObserversFollowTheBundleIdentifierInTheirOrder) {
  const RegistrationCase cases[] = {
      {"com.example.app", {kToggle, kRequest, kModify}},
      {"com.apple.springboard", {kToggle, kModify}},
      {"com.apple.accessibility.AccessibilityUIServer", {kToggle, kRequest}},
      {std::nullopt, {kToggle, kRequest, kModify}},
      {"com.apple.SpringBoard", {kToggle, kRequest, kModify}},  // exact comparison
      {"", {kToggle, kRequest, kModify}},
  };
  int n = 0;
  for (const auto& c : cases) {
    Process& p = launch("P" + std::to_string(n++), c.bundle);
    EXPECT_EQ(observedNames(p), c.expected) << c.bundle.value_or("(nil)");
    for (const auto& e : events(p, "notification.observe")) EXPECT_EQ(*stringForKey(e.fields, "form"), "NS");
  }
}

TEST_F(KitTest, TheReplacementReturnsWhatThePreviousInitReturns) {
  Process& app = device.spawn("App", "com.example.app");
  loadUIKit(app);
  rt::Class* cls = app.runtime().lookUpClass("UIApplication");
  // Another library's init, hooked before ours, hands back an object of its own.
  rt::Id substitute = rt::send<rt::Id()>(rt::classObject(*cls), "alloc");
  rt::Impl<rt::Id()> otherPrevious;
  int otherCalls = 0;
  rt::MSHookMessageEx<rt::Id()>(
      cls, "init",
      [&](const rt::Id&) {
        ++otherCalls;
        return substitute;
      },
      &otherPrevious);
  tarvokit::Tarvo12Kit::load(app);
  rt::Id made = rt::send<rt::Id()>(rt::classObject(*cls), "alloc");
  EXPECT_EQ(rt::send<rt::Id()>(made, "init"), substitute);
  EXPECT_EQ(otherCalls, 1);
  // Observers were registered before the previous init ran, and only once.
  EXPECT_EQ(observedNames(app).size(), 3u);
}

TEST_F(KitTest, AnInitThatRunsTwiceRegistersOnceAndActsOnce) {
  Process& app = launch("App", "com.example.app");
  auto application = UIApplication::sharedApplication(app);
  EXPECT_EQ(rt::send<rt::Id()>(application, "init"), application);
  EXPECT_EQ(observedNames(app), (std::vector<std::string>{kToggle, kRequest, kModify}));

  postCommand(protocol::kToggleTimeX, "hide");
  EXPECT_EQ(events(app, "animation.begin").size(), 1u);  // the one background-activity view, once
  request("com.example.app", true, true);
  EXPECT_EQ(replies.size(), 1u);
}

TEST_F(KitTest, AProcessWithoutUIKitApplicationNeverSubscribes) {
  Process& daemon = device.spawn("Daemon", "com.example.daemon");
  tarvokit::Tarvo12Kit::load(daemon);
  device.drain();
  EXPECT_TRUE(observedNames(daemon).empty());
  postCommand(protocol::kToggleTimeX, "hide");
  request("com.example.daemon");
  EXPECT_TRUE(replies.empty());
}

}  // namespace
