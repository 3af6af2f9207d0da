#pragma once
// One struct per scenario command, as the runner receives it. Times are absolute device times, already
// worked out from the scenario's cursor.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/foundation/plist_file.h"
#include "platform/foundation/plist_value.h"
#include "sim/scenario/expectations.h"
#include "sim/scenario/values.h"

namespace sim {

// The shell, or an app by its bundle identifier.
struct ProcessRef {
  std::optional<std::string> app;  // nothing: the shell (SpringBoard)
  bool isShell() const { return !app; }
  bool operator==(const ProcessRef&) const = default;
};

// The shell loads what the injection filter gives it (Tarvo12, by default). Implicit when the
// scenario has no `launch` line: then it is the first step, at time 0.
struct Launch {
  bool implicit = false;
  bool operator==(const Launch&) const = default;
};

// How a settings change reaches the settings file and the system.
struct SettingsWrite {
  bool post = true;  // post "velkarin.tarvo12/prefsChanged" after writing, as the settings pane does
  platform::PlistFormat format = platform::PlistFormat::Xml;
  bool operator==(const SettingsWrite&) const = default;
};
struct SetSetting {
  std::string key;
  platform::PlistValue value;
  SettingsWrite write;
  bool operator==(const SetSetting&) const = default;
};
struct RemoveSetting {
  std::string key;
  SettingsWrite write;
  bool operator==(const RemoveSetting&) const = default;
};
struct ReplaceSettings {
  platform::PlistDict contents;
  SettingsWrite write;
  bool operator==(const ReplaceSettings&) const = default;
};
struct DeleteSettings {
  bool post = true;
  bool operator==(const DeleteSettings&) const = default;
};
// The settings file as anything at all: exact bytes (`raw`, `file`, `empty`), or a property list whose
// top-level object is any value (`plist`), written in `write.format`.
struct WriteSettingsFile {
  std::variant<std::string, platform::PlistValue> contents;
  SettingsWrite write;
  bool operator==(const WriteSettingsFile&) const = default;
};

// Parts a classic status bar may lack; the system must cope with each missing.
struct ClassicBarParts {
  bool foregroundView = true;
  bool styleAttributes = true;
  bool foregroundStyle = true;
  bool operator==(const ClassicBarParts&) const = default;
};

// What a screen shows behind everything: a built-in picture by name, or a PNG file whose bytes are read
// when the scenario is parsed (the name is checked, and the file decoded, before anything plays).
struct ContentChoice {
  std::string name = "plain";
  std::string file;  // as written; empty for a built-in picture
  std::shared_ptr<const std::vector<std::uint8_t>> bytes;
  std::size_t line = 0;  // of the word that names it, for errors
  std::size_t column = 0;
  bool isFile() const { return !file.empty(); }
  // The same picture, wherever it was written: a file's bytes as read, not the pointer or the position.
  bool operator==(const ContentChoice& other) const {
    if (name != other.name || file != other.file || !bytes != !other.bytes) return false;
    return !bytes || *bytes == *other.bytes;
  }
};

struct StartApp {
  std::string bundle;
  std::string name;  // the process name; by default the last part of the bundle identifier
  BarKind bar = BarKind::Classic;
  // The colour the bar draws its content in: a classic bar's foreground style tint colour, a split
  // bar's foreground colour. Nothing is nil; black unless the line says otherwise; nothing without a bar.
  std::optional<Colour> colour;
  std::int64_t style = 0;  // a split bar's currentStyle (1 is white content)
  ClassicBarParts classicParts;
  // Split bar: one background-activity view at each of these depths (levels below the status bar,
  // 1 being its subviews).
  std::vector<int> backgroundActivityDepths;
  // The class of each of those views, in the same order; empty: _UIStatusBarBackgroundActivityView itself.
  std::vector<std::string> backgroundActivityClasses;
  std::optional<bool> loadsTarvo12Kit;  // nothing: as the injection filter says
  std::optional<bool> loadsTarvo12;
  // The process has no bundle identifier; the scenario still names it by `bundle` or its name.
  bool anonymous = false;
  ContentChoice content;  // what its window shows over the app's colour
  bool operator==(const StartApp&) const = default;
};
struct SetAppContent {
  std::string app;  // bundle identifier
  ContentChoice content;
  bool operator==(const SetAppContent&) const = default;
};
struct SetWallpaper {  // the home screen's, behind its icons
  ContentChoice content;
  bool operator==(const SetWallpaper&) const = default;
};
// The process initialises its application object once more: `init` sent again to the one it has.
struct InitApplicationAgain {
  std::string app;  // bundle identifier; empty for the shell
  bool operator==(const InitApplicationAgain&) const = default;
};
struct BringToFront {
  std::string app;  // bundle identifier
  bool operator==(const BringToFront&) const = default;
};
struct GoHome {
  bool operator==(const GoHome&) const = default;
};
// The bar of an app (by bundle identifier) or of the shell (empty).
struct SetAppBarColour {
  std::string app;
  std::optional<Colour> colour;  // nothing is nil
  bool operator==(const SetAppBarColour&) const = default;
};
struct SetAppBarStyle {  // what the bar's currentStyle answers
  std::string app;
  std::int64_t style = 0;
  bool operator==(const SetAppBarStyle&) const = default;
};
// The shell refreshes its status bar's service item (_updateServiceItem), asking operatorName.
struct RefreshServiceItem {
  bool operator==(const RefreshServiceItem&) const = default;
};
// The shell presents a stock HUD view of another class than the volume and ringer views.
// The shell tells its split bar class the layout again: +[_UIStatusBar setForceSplit:].
struct SetForceSplit {
  bool split = true;
  bool operator==(const SetForceSplit&) const = default;
};
// What the shell's classic bar answers to _usesModernBar from now on; the shell asks it at once.
struct SetModernBar {
  bool modern = true;
  bool operator==(const SetModernBar&) const = default;
};
struct PresentOtherHud {
  std::string className;
  double delay = 1.0;  // seconds before it dismisses itself
  bool operator==(const PresentOtherHud&) const = default;
};

struct SetButtonMode {
  VolumeMode mode = VolumeMode::Media;
  bool operator==(const SetButtonMode&) const = default;
};
struct PressButton {
  VolumeButton button = VolumeButton::Up;
  std::vector<platform::Nanos> times;  // one press at each, in order; never empty
  bool operator==(const PressButton&) const = default;
};
struct SetRingerSwitch {
  bool silent = false;
  bool operator==(const SetRingerSwitch&) const = default;
};
struct Rotate {
  Orientation orientation = Orientation::Portrait;
  // Any other value the platform may send (0 for unknown, 5 and 6 for face up and down, ...), as is.
  std::optional<std::int64_t> other;
  // What the shell passes to reorientHUDIfNeeded: (it re-centres the HUD either way).
  bool reorient = true;
  std::int64_t value() const { return other ? *other : static_cast<std::int64_t>(orientation); }
  // "rotate 3" and "rotate landscape-right" are one rotation.
  bool operator==(const Rotate& o) const { return value() == o.value() && reorient == o.reorient; }
};
struct TapHud {
  bool operator==(const TapHud&) const = default;
};
struct TapPoint {
  Point point;  // in points of the portrait screen
  bool operator==(const TapPoint&) const = default;
};

struct Capture {
  std::string name;  // unique in the scenario; the PNG's file name without extension
  bool operator==(const Capture&) const = default;
};
// Frames from the step's time, every 1/fps seconds, for the duration (end excluded); see frames.h.
struct Record {
  std::string name;
  platform::Nanos duration = 0;
  int fps = 30;
  bool operator==(const Record&) const = default;
};
struct TakeSnapshot {
  std::string label;  // empty when the line gave none
  bool operator==(const TakeSnapshot&) const = default;
};

struct PostNotification {
  std::string name;
  ProcessRef from;
  NotificationForm form = NotificationForm::CF;
  bool deliverImmediately = false;  // CF form only
  std::optional<platform::PlistDict> userInfo;
  std::optional<std::string> object;  // the distributed centre carries string objects; nothing is nil
  bool operator==(const PostNotification&) const = default;
};

using Command = std::variant<Launch, SetSetting, RemoveSetting, ReplaceSettings, DeleteSettings, WriteSettingsFile,
                             StartApp, BringToFront, GoHome, SetAppBarColour, SetAppBarStyle, SetButtonMode,
                             PressButton, SetRingerSwitch, Rotate, TapHud, TapPoint, Capture, Record,
                             TakeSnapshot, PostNotification, ExpectField, ExpectEntries, ExpectCount, ExpectOrder,
                             RefreshServiceItem, PresentOtherHud, ExpectAppField, SetForceSplit, SetModernBar,
                             SetAppContent, SetWallpaper, KeepValue, InitApplicationAgain>;

}  // namespace sim
