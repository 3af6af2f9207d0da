#pragma once
// The classic status bar's style objects: UIStatusBarStyleAttributes holds the foreground style
// ("_foregroundStyle"), a UIStatusBarForegroundStyleAttributes whose `tintColor` is the colour the bar draws
// its content in.
#include <optional>

#include "platform/graphics/color.h"
#include "platform/runtime/object.h"
#include "platform/runtime/runtime.h"

namespace platform {

class UIStatusBarStyleAttributes : public rt::Object {
 public:
  using rt::Object::Object;
  rt::Id foregroundStyle;  // "_foregroundStyle"; nil when the bar has none
};

class UIStatusBarForegroundStyleAttributes : public rt::Object {
 public:
  using rt::Object::Object;
  // What `tintColor` answers; nil when the style has no tint.
  std::optional<UIColor> tint;
};

// Registers both classes under NSObject, with `tintColor` (std::optional<UIColor>()).
void registerStatusBarStyleClasses(rt::Runtime& runtime);

}  // namespace platform
