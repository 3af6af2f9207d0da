// The shell and several apps on one device, each with the libraries the injection filter gives it: the
// colour request and answer, the colour cache, and the status bar commands reaching every process.
#include <gtest/gtest.h>

#include <set>

#include "hud/tarvo12.h"
#include "platform/uikit/status_bar.h"
#include "platform/uikit/status_bar_installer.h"
#include "platform/uikit/window.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"

namespace {

struct Played {
  std::unique_ptr<sim::Runner> runner;
  sim::RunResult result;
  const std::deque<platform::TraceEvent>& events() { return runner->phone().device().trace().events(); }
  // Posts of a notification, by posting process.
  std::vector<std::string> posters(std::string_view name) {
    std::vector<std::string> out;
    for (const auto& e : events()) {
      const auto* n = e.fields.find("name");
      if (e.kind == "notification.post" && n && n->asString() && *n->asString() == name) out.push_back(e.process);
    }
    return out;
  }
};

Played play(const std::string& text) {
  Played p;
  sim::Scenario scenario = sim::parseScenario(text, "e2e");
  sim::RunOptions options;
  options.keptTraceEvents = sim::kWholeTrace;
  p.runner = std::make_unique<sim::Runner>(scenario, std::move(options));
  p.result = p.runner->run();
  for (const auto& failure : p.result.failures) ADD_FAILURE() << failure;
  return p;
}

const std::string kTwoApps =
    "device iPhone9,3\n"
    "settings set dynamicColors true no-post\n"
    "launch\n"
    "app start com.example.notes name Notes bar classic color #FF0000\n"
    "app start com.example.maps name Maps bar classic color #00FF00\n";

TEST(CrossProcess, UncachedFrontAppIsAskedOnceAndOnlyItAnswers) {
  Played p = play(kTwoApps + "app front com.example.notes\nat 1s press up\nwait 0.5s\n"
                            "expect tarvoMinColor == #FF0000\nexpect tarvoMaxColor == #FF0000:0.15\n");
  EXPECT_EQ(p.posters("velkarin.tarvo12.requeststatusbarproperties"), std::vector<std::string>{"SpringBoard"});
  EXPECT_EQ(p.posters("velkarin.tarvo12.getstatusbarproperties"), std::vector<std::string>{"Notes"});
  // Every process logs the request; only the asked one goes on to answer.
  std::size_t requestLogs = 0;
  for (const auto& e : p.events())
    if (e.kind == "log" && *e.fields.find("message")->asString() == "[TARVO12] [Line 104]: Requested status bar colors")
      ++requestLogs;
  EXPECT_EQ(requestLogs, 2u);  // Notes and Maps; the shell's own agent does not listen
}

TEST(CrossProcess, AnswerAfterTheHideStillRecolours) {
  // The answer is applied whenever it comes: here a report arrives long after the HUD has gone.
  Played p = play(kTwoApps +
                  "app front com.example.notes\nat 1s press up\nat 5s post velkarin.tarvo12.getstatusbarproperties "
                  "from com.example.maps form cf immediately payload { bundle = \"com.example.maps\", hue = real 0.5, "
                  "saturation = real 1, brightness = real 1, alpha = real 1 }\nwait 0.1s\n"
                  "expect tarvoHUDWindow.hidden == true\nexpect tarvoMinColor == #00FFFF\n");
  EXPECT_EQ(p.result.expectations, 2u);
}

TEST(CrossProcess, CachedAppAndHomeScreenSendNoRequest) {
  Played p = play(
      "device iPhone9,3\nfilter Tarvo12 uikit\nsettings set dynamicColors true no-post\nlaunch\n"
      "app start com.example.music name Music bar split color #0000FF\n"
      "app front com.example.music\nat 1s press up\nwait 3s\nhome\npress up\nwait 0.5s\n"
      "expect statusColors \"com.example.music\" == [0.666667, 1, 1] within 1e-6\n");  // blue
  EXPECT_TRUE(p.posters("velkarin.tarvo12.requeststatusbarproperties").empty());
  EXPECT_EQ(p.result.expectations, 1u);
}

// Receivers of a notification, by process, in delivery order (one entry per process).
std::set<std::string> receivers(Played& p, std::string_view name) {
  std::set<std::string> out;
  for (const auto& e : p.events()) {
    const auto* n = e.fields.find("name");
    if (e.kind == "notification.deliver" && n && n->asString() && *n->asString() == name) out.insert(e.process);
  }
  return out;
}

// Durations of the animations a process began after `from` seconds.
std::vector<double> animationDurations(Played& p, std::string_view process, double from) {
  std::vector<double> out;
  for (const auto& e : p.events())
    if (e.kind == "animation.begin" && e.process == process && platform::nanosToSeconds(e.time) >= from)
      out.push_back(*e.fields.find("duration")->doubleValue());
  return out;
}

TEST(CrossProcess, StatusBarCommandsReachEveryProcess) {
  Played p = play(
      "device iPhone10,3\nshell split-layout no\n"
      "settings replace { statusBarHideAll = true, statusBarHideTimeX = true }\nlaunch\n"
      "app start com.example.notes name Notes bar classic\n"
      "app start com.apple.accessibility.AccessibilityUIServer name AXServer bar split\n"
      "app front com.example.notes\nat 1s press up\nwait 3s\nexpect hidingStatusBarItems == false\n");
  EXPECT_EQ(receivers(p, "velkarin.tarvo12.toggleTimeX"),
            (std::set<std::string>{"SpringBoard", "Notes", "AXServer"}));
  EXPECT_EQ(receivers(p, "velkarin.tarvo12.modifystatusbar"), (std::set<std::string>{"SpringBoard", "Notes"}));
  // Notes fades its foreground view over a third of 0.25 s, out and back in; its classic bar has no
  // background-activity views. The accessibility server fades its pill over 0.15 s, out and back in.
  auto notes = animationDurations(p, "Notes", 1);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_NEAR(notes[0], 0.25 / 3, 1e-7);
  EXPECT_NEAR(notes[1], 0.25 / 3, 1e-7);
  EXPECT_EQ(animationDurations(p, "AXServer", 1), (std::vector<double>{0.15, 0.15}));
}

}  // namespace
