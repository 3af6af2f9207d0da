#include "kit_fixture.h"

namespace {

using namespace platform;
using kit_test::KitTest;
namespace protocol = tarvo::protocol;

// One device, as a volume press over an app would find it: the shell, two apps, an app without an identifier
// and the accessibility server, all with the agent.
struct EveryProcessTest : KitTest {
  Process& shell = launch("SpringBoard", "com.apple.springboard");
  Process& front = launch("Front", "com.example.front");
  Process& back = launch("Back", "com.example.back");
  Process& anonymous = launch("Anonymous", std::nullopt);
  Process& server = launchServer();

  Process& launchServer() {
    Process& p = launchApp(device, accessibilityServerOptions());
    device.drain();
    return p;
  }
  std::vector<Process*> all() { return {&shell, &front, &back, &anonymous, &server}; }

  void command(std::string_view name, const char* modifier, float duration) {
    PlistDict info;
    info.set(std::string(protocol::kModifier), modifier);
    info.set(std::string(protocol::kAnimationDuration), duration);
    post(name, info);
  }
};

TEST_F(EveryProcessTest, HideAndShowReachEveryProcessAndFadeWhatEachHandles) {
  command(protocol::kModifyStatusBar, "hide", 0.3f);
  command(protocol::kToggleTimeX, "hide", 0.3f);
  for (Process* p : all()) {
    const bool modifies = p != &server;
    EXPECT_EQ(foregroundView(*p)->alpha(), modifies ? 0 : 1) << p->name();
    EXPECT_EQ(backgroundActivityViews(*p).at(0).first->alpha(), 0) << p->name();
    std::vector<double> durations;
    for (const auto& e : events(*p, "animation.begin"))
      durations.push_back(*numberForKey(e.fields, "duration"));
    std::vector<double> expected;
    if (modifies) expected.push_back(static_cast<double>(0.3f / 3.0f));
    expected.push_back(0.15);
    EXPECT_EQ(durations, expected) << p->name();
  }

  device.advance(1);
  command(protocol::kModifyStatusBar, "show", 0.3f);
  command(protocol::kToggleTimeX, "show", 0.3f);
  for (Process* p : all()) {
    EXPECT_EQ(foregroundView(*p)->alpha(), 1) << p->name();
    EXPECT_EQ(backgroundActivityViews(*p).at(0).first->alpha(), 1) << p->name();
  }
  // Nothing in the apps answers a command.
  for (Process* p : all()) EXPECT_TRUE(events(*p, "notification.post").empty()) << p->name();
}

TEST_F(EveryProcessTest, TheShellNeverAnswersAndTheAccessibilityServerDoesWhenNamed) {
  request("com.apple.springboard", false, true);
  EXPECT_TRUE(replies.empty());
  EXPECT_TRUE(events(shell, "log").empty());
  request("com.apple.accessibility.AccessibilityUIServer", false, true);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].from, "AccessibilityUIServer");
}

}  // namespace
