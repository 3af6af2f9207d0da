#include "platform/foundation/trace_kinds.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

using S = TraceSection;

constexpr auto kRows = std::to_array<TraceKind>({
    // The platform: notifications, timers, the log, animations, windows, taps, processes and their bars.
    {S::Platform, "notification.observe", "the observer's", "name form suspensionBehavior",
     "an observer is registered"},
    {S::Platform, "notification.post", "the poster's", "name form deliverImmediately? userInfo? object?",
     "a notification is posted"},
    {S::Platform, "notification.deliver", "the observer's", "name from",
     "a notification reaches an observer"},
    {S::Platform, "timer.schedule", "the timer's", "interval selector repeats fireAt", "a timer is scheduled"},
    {S::Platform, "timer.invalidate", "the timer's", "selector", "a valid timer is invalidated"},
    {S::Platform, "timer.fire", "the timer's", "selector", "a timer fires"},
    {S::Platform, "log", "the writer's", "message", "a line is written to the system log"},
    {S::Platform, "animation.begin", "the animating one", "id duration delay options changes",
     "an animation block ends (its changes are made)"},
    {S::Platform, "animation.complete", "the animating one", "id finished", "the block's completion runs"},
    {S::Platform, "sound", "the player's", "id", "a system sound is played"},
    {S::Platform, "view.hidden", "the window's", "window level hidden",
     "a window's hidden flag changes (setting it to what it is leaves no event)"},
    {S::Platform, "tap", "the one hit (a miss: the first process)", "x y hit window? view? recognizers?",
     "a simulated tap"},
    {S::Platform, "library.inject", "the one injected into", "library loaded reason?",
     "the injection filter picks a library for a process, or an exception keeps one out"},
    {S::Platform, "app.launch", "the app's", "bundleIdentifier principalClass", "a UIKit process is launched"},
    {S::Platform, "app.reinit", "the app's", "class", "the application object is sent `init` once more"},
    {S::Platform, "statusbar.install", "the bar's", "kind class style frame", "a process gets its status bar"},
    {S::Platform, "statusbar.foregroundColor", "the bar's", "color", "a split bar is sent `setForegroundColor:`"},
    {S::Platform, "statusbar.tintColor", "the bar's", "color",
     "an app changes the tint of its classic bar's foreground style"},
    {S::Platform, "statusbar.style", "the bar's", "style",
     "an app changes its bar's style (what `currentStyle` answers)"},
    {S::Platform, "statusbar.forceSplit", "the caller's", "flag",
     "the split bar class is told whether the split layout is forced (`setForceSplit:`)"},

    // The shell stand-in: what the hardware or the user did, and calls on the shell's classes.
    {S::Shell, "button.volume", "the shell's", "button", "a volume button is pressed"},
    {S::Shell, "button.ringer", "the shell's", "silent", "the ring/silent switch is flipped"},
    {S::Shell, "interface.rotate", "the shell's", "orientation", "the interface turns to an orientation (1 to 4)"},
    {S::Shell, "springboard.launched", "the shell's", "", "`applicationDidFinishLaunching:` of `SpringBoard`"},
    {S::Shell, "springboard.ringerState", "the shell's", "state visuals",
     "`_updateRingerState:withVisuals:updatePreferenceRegister:`"},
    {S::Shell, "springboard.frontMostApplication", "the shell's", "bundleIdentifier",
     "`_accessibilityFrontMostApplication`"},
    {S::Shell, "volume.change", "the shell's", "step category level", "`_changeVolumeBy:` of `VolumeControl`"},
    {S::Shell, "volume.read", "the shell's", "level", "`volume` of `VolumeControl`"},
    {S::Shell, "hud.progress", "the shell's", "progress mode", "`setProgress:` of `SBVolumeHUDView`"},
    {S::Shell, "hud.present", "the shell's", "view delay subviews", "`SBHUDController` presents a stock HUD view"},
    {S::Shell, "hud.dismiss", "the shell's", "", "the stock HUD has faded out"},
    {S::Shell, "hud.recenter", "the shell's", "orientation", "`_recenterHUDView` of `SBHUDController`"},
    {S::Shell, "hud.reorient", "the shell's", "needed orientation", "`reorientHUDIfNeeded:` of `SBHUDController`"},
    {S::Shell, "statusbar.disable", "the shell's", "item requestor",
     "`disableStatusBarItem:requestor:` of `SBMainStatusBarStateProvider`"},
    {S::Shell, "statusbar.enable", "the shell's", "item requestor", "`enableStatusBarItem:requestor:`"},
    {S::Shell, "statusbar.timeCloaked", "the shell's", "cloaked", "`setTimeCloaked:`"},
    {S::Shell, "telephony.operatorName", "the shell's", "answer? nil",
     "`_updateServiceItem` has asked `operatorName`: the answer as whatever replaced the method gave it"},
    {S::Shell, "statusbar.updateServiceItem", "the shell's", "operatorName blank",
     "`_updateServiceItem` of `SBStatusBarStateAggregator`"},
    {S::Shell, "statusbar.updateItem", "the shell's", "item", "`updateStatusBarItem:`"},
    {S::Shell, "statusbar.notifyItemChanged", "the shell's", "item", "`_notifyItemChanged:`"},

    // The simulator's own.
    {S::Simulator, "hud.snapshot", "the shell's", "label hud",
     "a scenario's `snapshot` line (`snapshot now`: before the tasks due at that instant run)"},
});

constexpr bool kindsAreUnique() {
  for (std::size_t i = 0; i < kRows.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (kRows[i].kind == kRows[j].kind) return false;
  return true;
}
static_assert(kindsAreUnique(), "a kind is in the table twice");

}  // namespace

const std::span<const TraceKind> kTraceKinds{kRows};

const TraceKind* findTraceKind(std::string_view kind) {
  for (const TraceKind& row : kRows)
    if (row.kind == kind) return &row;
  return nullptr;
}

std::vector<std::string_view> traceFieldNames(const TraceKind& row, bool always) {
  std::vector<std::string_view> names;
  std::string_view rest = row.fields;
  while (!rest.empty()) {
    std::size_t space = rest.find(' ');
    std::string_view word = rest.substr(0, space);
    rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
    if (word.empty()) continue;
    bool sometimes = word.back() == '?';
    if (sometimes) word.remove_suffix(1);
    if (!(always && sometimes)) names.push_back(word);
  }
  return names;
}

std::optional<std::string> traceEventProblem(const TraceEvent& event) {
  const TraceKind* row = findTraceKind(event.kind);
  if (!row) return "an event of kind \"" + event.kind + "\", which the table of trace kinds lacks";
  const std::vector<std::string_view> names = traceFieldNames(*row);
  for (const auto& [name, value] : event.fields) {
    if (std::find(names.begin(), names.end(), name) == names.end())
      return "a \"" + event.kind + "\" event with the field \"" + name + "\", which its row lacks";
  }
  for (std::string_view name : traceFieldNames(*row, true)) {
    if (!event.fields.contains(name))
      return "a \"" + event.kind + "\" event without the field \"" + std::string(name) + "\"";
  }
  return std::nullopt;
}

}  // namespace platform
