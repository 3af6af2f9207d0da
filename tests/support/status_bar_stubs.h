#pragma once
// Status bars for tests: the real split bar `_UIStatusBar` and classic bar `UIStatusBar` made without their
// windows, and a bare classic bar whose style attributes carry a foreground style, for the colour paths.
#include <optional>

#include "platform/graphics/color.h"
#include "platform/uikit/status_bar.h"
#include "platform/uikit/view.h"

namespace testing_support {

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

// Registers UIKit and the test classes above (each only when the process has none of that name).
void registerStubStatusBars(platform::Process& process);

std::shared_ptr<platform::UISplitStatusBar> makeSplitStatusBar(platform::Process& process,
                                                              std::optional<platform::UIColor> color);
std::shared_ptr<platform::UIStatusBarBase> makeStatusBarBase(platform::Process& process, bool modern);
// A classic bar; `withAttributes` false leaves `_styleAttributes` nil, `withStyle` false leaves the style nil.
std::shared_ptr<StubClassicStatusBar> makeClassicStatusBar(platform::Process& process, bool withAttributes,
                                                           bool withStyle, std::optional<platform::UIColor> tint);
// Makes the bar the process's `_statusBar`.
void installStatusBar(platform::Process& process, const rt::Id& statusBar);

}  // namespace testing_support
