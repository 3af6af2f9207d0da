#pragma once
// Small status bars for tests, until the real status bar classes exist: the split bar `_UIStatusBar`, the
// classic base `UIStatusBar_Base`, and a classic bar whose style attributes carry a foreground style.
// Registered in a process before Tarvo12 loads, so that its status bar replacements find them.
#include <optional>

#include "platform/graphics/color.h"
#include "platform/uikit/view.h"

namespace testing_support {

// `_UIStatusBar`: `_foregroundColor`, setForegroundColor:, and the class method setForceSplit:.
class StubSplitStatusBar : public platform::UIView {
 public:
  using platform::UIView::UIView;
  std::optional<platform::UIColor> foregroundColor;
};

// `UIStatusBar_Base`: _usesModernBar answers `modern`.
class StubStatusBarBase : public platform::UIView {
 public:
  using platform::UIView::UIView;
  bool modern = false;
};

// A classic bar: `_styleAttributes` holds an object whose `_foregroundStyle` answers tintColor.
class StubClassicStatusBar : public platform::UIView {
 public:
  using platform::UIView::UIView;
  rt::Id styleAttributes;
};
class StubStyleAttributes : public rt::Object {
 public:
  using rt::Object::Object;
  rt::Id foregroundStyle;
};
class StubForegroundStyle : public rt::Object {
 public:
  using rt::Object::Object;
  std::optional<platform::UIColor> tint;
};

// What the split bar's class method was told, per process.
struct StubForceSplitCalls {
  explicit StubForceSplitCalls(platform::Process&) {}
  std::vector<bool> flags;
};

// Registers the classes above (each only when the process has none of that name).
void registerStubStatusBars(platform::Process& process);

std::shared_ptr<StubSplitStatusBar> makeSplitStatusBar(platform::Process& process,
                                                       std::optional<platform::UIColor> color);
std::shared_ptr<StubStatusBarBase> makeStatusBarBase(platform::Process& process, bool modern);
// A classic bar; `withAttributes` false leaves `_styleAttributes` nil, `withStyle` false leaves the style nil.
std::shared_ptr<StubClassicStatusBar> makeClassicStatusBar(platform::Process& process, bool withAttributes,
                                                           bool withStyle, std::optional<platform::UIColor> tint);
// Makes the bar the process's `_statusBar`.
void installStatusBar(platform::Process& process, const rt::Id& statusBar);

}  // namespace testing_support
