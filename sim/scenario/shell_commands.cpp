// shell color / style / without / activity (the shell's own bar, at boot), and what the shell does when
// the scenario says: refresh-service, present-hud, force-split and modern-bar.
#include "sim/scenario/command_parsers.h"

namespace sim {

namespace {

constexpr std::int64_t kLargestBarStyle = 99;
constexpr std::int64_t kDeepestActivityView = 16;
constexpr double kLongestHudDelay = 3600;

// A runtime class name: what a scenario may register or look up.
bool isClassName(std::string_view text) {
  if (text.empty() || text.size() > 128) return false;
  if (text.front() >= '0' && text.front() <= '9') return false;
  for (char c : text)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
      return false;
  return true;
}

}  // namespace

std::string parseClassName(TokenReader& in, std::string_view what) {
  const Token& name = in.take(what);
  if (!isClassName(name.text))
    in.fail(name, quoted(name) + " is not a class name (letters, digits and '_', not starting with a digit)");
  return name.text;
}

std::string parseActivityClass(TokenReader& in) {
  if (!in.acceptWord("subclass")) return {};
  return parseClassName(in, "a class name after 'subclass'");
}

bool parseShellExtra(TokenReader& in, ScenarioBuilder& builder, const Token& head, const Token& property) {
  DeviceSetup& setup = builder.scenario().setup;
  const std::string& p = property.text;
  if (p == "color") {
    builder.setupItem(in, head, "shell color");
    if (in.acceptWord("nil"))
      setup.shellBarColour.emplace(std::nullopt);
    else
      setup.shellBarColour.emplace(in.colour("a colour or nil after 'shell color'"));
  } else if (p == "style") {
    builder.setupItem(in, head, "shell style");
    setup.shellBarStyle = in.integerWithin("a status bar style", 0, kLargestBarStyle);
  } else if (p == "without") {
    const Token& part = in.take("a part after 'shell without'");
    builder.setupItem(in, head, "shell without " + part.text);
    if (part.text == "foreground-view")
      setup.shellBarParts.foregroundView = false;
    else if (part.text == "style-attributes")
      setup.shellBarParts.styleAttributes = false;
    else if (part.text == "foreground-style")
      setup.shellBarParts.foregroundStyle = false;
    else
      in.fail(part, "unknown part " + quoted(part) +
                        " (a classic bar may lack foreground-view, style-attributes, foreground-style)");
  } else if (p == "activity") {
    builder.setupItem(in, head,
                      "shell activity " +
                          std::to_string(setup.shellActivityDepths ? setup.shellActivityDepths->size() : 0));
    if (!setup.shellActivityDepths) setup.shellActivityDepths.emplace();
    setup.shellActivityDepths->push_back(
        static_cast<int>(in.integerWithin("a depth after 'shell activity'", 1, kDeepestActivityView)));
    setup.shellActivityClasses.push_back(parseActivityClass(in));
  } else {
    return false;
  }
  in.expectEnd("'shell " + p + "' and its value");
  return true;
}

// refresh-service: the shell refreshes its service item now, asking operatorName.
void parseRefreshService(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  in.expectEnd("'refresh-service'");
  builder.add(in, RefreshServiceItem{});
}

// present-hud CLASS [delay SECONDS]: the shell presents a stock HUD view of another kind than volume or
// ringer.
void parsePresentHud(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  PresentOtherHud present;
  present.className = parseClassName(in, "a HUD view class after 'present-hud'");
  if (present.className == "SBVolumeHUDView" || present.className == "SBRingerHUDView")
    in.fail(in.previous(),
            "the volume and ringer views come with presses and the switch; name another class");
  if (in.acceptWord("delay")) {
    present.delay = in.real("a delay in seconds after 'delay'");
    if (present.delay < 0 || present.delay > kLongestHudDelay)
      in.fail(in.previous(), "a delay must be from 0 to 3600 seconds");
  }
  in.expectEnd("the HUD view class");
  builder.add(in, std::move(present));
}

// force-split yes|no: the shell sends +[_UIStatusBar setForceSplit:] with the flag, as it runs.
void parseForceSplit(TokenReader& in, ScenarioBuilder& builder, const Token&) {
  bool split = in.yesNo("yes or no after 'force-split'");
  in.expectEnd("the flag");
  builder.add(in, SetForceSplit{split});
}

// modern-bar yes|no: what the shell's classic bar answers to _usesModernBar from now on; the shell asks.
void parseModernBar(TokenReader& in, ScenarioBuilder& builder, const Token& head) {
  builder.requireLaunched(in, head, "'modern-bar'");
  bool modern = in.yesNo("yes or no after 'modern-bar'");
  in.expectEnd("the answer");
  builder.add(in, SetModernBar{modern});
}

}  // namespace sim
