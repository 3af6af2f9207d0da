#pragma once
// The status bars of UIKit processes.
//
// - UIStatusBar_Base (under UIView), with UIStatusBar under it: the classic bar. "_foregroundView" holds
//   everything it draws; "_styleAttributes" holds the style objects whose foreground style's tintColor is the
//   colour of its content.
// - _UIStatusBar (under UIView): the split bar of notched phones. "_foregroundColor" is the colour of its
//   content (nil: white or black by style); its background-activity views sit four levels below it
//   (bar → foreground view → region → item → background activity view).
// - _UIStatusBarBackgroundActivityView (under UIView): the pill behind the time while an app uses the
//   location, a call and the like.
//
// What the items show follows the device's StatusBarServer, which changes without telling the bars: a bar
// catches up whenever it is refreshed: in its layout pass (`layoutSubviews`), when its colour or style
// changes, and when refreshStatusBars is called (whatever draws the screen calls it first).
#include <memory>
#include <optional>

#include "platform/graphics/color.h"
#include "platform/runtime/runtime.h"
#include "platform/uikit/view.h"

namespace platform {

class Device;
class Process;

// What both kinds of bar share.
class StatusBarView : public UIView {
 public:
  using UIView::UIView;

  rt::Id foregroundView;  // "_foregroundView"
  long long style = 0;    // what currentStyle answers: 0 dark content, 1 light content

  // The colour the bar draws its content in now.
  virtual UIColor contentColor() const { return colorForStyle(style); }
  // Brings every item below the bar in line with the server and the content colour.
  void refresh();

  static UIColor colorForStyle(long long style);
};

// UIStatusBar_Base and UIStatusBar.
class UIStatusBarBase : public StatusBarView {
 public:
  using StatusBarView::StatusBarView;

  rt::Id styleAttributes;      // "_styleAttributes"
  bool usesModernBar = false;  // what _usesModernBar answers

  // The foreground style's tint; without one, white or black by style.
  UIColor contentColor() const override;
};

// _UIStatusBar.
class UISplitStatusBar : public StatusBarView {
 public:
  using StatusBarView::StatusBarView;

  std::optional<UIColor> foregroundColor;  // "_foregroundColor"

  UIColor contentColor() const override { return foregroundColor.value_or(colorForStyle(style)); }
};

// Registers the status bar classes, their style classes and the item view class; called with UIKit's own.
void registerStatusBarClasses(rt::Runtime& runtime);

// Whether the class method +[_UIStatusBar setForceSplit:] last received YES in the process.
bool splitLayoutForced(Process& process);

// Refreshes the status bar of every process that has one (its application's "_statusBar").
void refreshStatusBars(Device& device);

}  // namespace platform
