#pragma once
// Giving a process its status bar: the bar, its content and style objects, and the window it lives in; and
// the changes an app makes to it at run time.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/color.h"
#include "platform/runtime/object.h"

namespace platform {

class Device;
class Process;
class StatusBarView;
class UIWindow;

enum class StatusBarKind {
  Automatic,  // split on screens with a sensor housing, classic elsewhere
  None,
  Classic,  // UIStatusBar
  Split,    // _UIStatusBar
};

struct StatusBarOptions {
  StatusBarKind kind = StatusBarKind::Automatic;
  long long style = 0;  // currentStyle: 0 dark content, 1 light content
  // Classic: the foreground style's tint (nil: the style has no tint). Split: sent with setForegroundColor:
  // when installing (nil: nothing is sent, the bar draws white or black by style).
  std::optional<UIColor> contentColor;
  // Which parts a classic bar has.
  bool hasForegroundView = true;
  bool hasStyleAttributes = true;
  bool hasForegroundStyle = true;
  // Split: the depths below the bar at which background-activity views sit; depths outside 1 to
  // kMaxBackgroundActivityDepth are ignored. Classic bars have none.
  std::vector<int> backgroundActivityDepths{4};
  // The class of each of those views, in the same order; a missing or empty entry is
  // _UIStatusBarBackgroundActivityView itself, and a class that does not exist yet is registered under it.
  std::vector<std::string> backgroundActivityClasses;
  std::optional<UIColor> backgroundActivityColor = UIColor::colorWithRed(0.2, 0.78, 0.35, 1);
  // The process announces the split layout: installing sends +[_UIStatusBar setForceSplit:YES].
  bool reportsSplitLayout = false;
  // Classic: what _usesModernBar answers (it is asked once, through the runtime, when installing).
  bool usesModernBar = false;
  // Whether the status bar window is on screen (a process with no visible windows keeps it hidden).
  bool windowVisible = true;
};

inline constexpr int kMaxBackgroundActivityDepth = 32;

// Status bar height on this device's screen, and the width of its sensor housing (0 for none).
double statusBarHeight(const Device& device);
double sensorHousingWidth(const Device& device);
StatusBarKind resolvedKind(const Device& device, StatusBarKind kind);

// Makes the bar in a status bar window (level 1000, across the top of the portrait screen) and sets it as
// the application's "_statusBar" (so call it once the application object exists). Nil for
// StatusBarKind::None. A second call replaces the first bar.
rt::Id installStatusBar(Process& process, const StatusBarOptions& options);

// The bar and window installStatusBar made in the process (nil before).
std::shared_ptr<StatusBarView> installedStatusBar(Process& process);
std::shared_ptr<UIWindow> statusBarWindow(Process& process);

// The app changes its bar's colour: a split bar is sent setForegroundColor: through the runtime (nil
// included); a classic bar's foreground style gets the colour as its tint (nothing without a style).
void setStatusBarColor(Process& process, std::optional<UIColor> color);
// The app changes its bar's style (what currentStyle answers).
void setStatusBarStyle(Process& process, long long style);

}  // namespace platform
