#pragma once
// The implementations the library's replacements took the place of, called where each replacement says.
#include <optional>
#include <string>

#include "platform/graphics/color.h"
#include "platform/runtime/message.h"

namespace tarvo {

struct PreviousImplementations {
  rt::Impl<void(rt::Id)> applicationDidFinishLaunching;
  rt::Impl<void(int, bool, bool)> updateRingerState;
  rt::Impl<void(float)> changeVolumeBy;
  rt::Impl<void(float)> setProgress;
  rt::Impl<std::optional<std::string>()> operatorName;
  rt::Impl<void(bool)> setForceSplit;
  rt::Impl<void(std::optional<platform::UIColor>)> setForegroundColor;
  rt::Impl<bool()> usesModernBar;
  rt::Impl<void(rt::Id)> presentHUDView;
  rt::Impl<void(rt::Id, double)> presentHUDViewWithDelay;
  rt::Impl<void()> recenterHUDView;
  rt::Impl<void(bool)> reorientHUDIfNeeded;
};

// Calls a saved implementation when there is one; a method the class never had has nothing to call.
template <class Fn, class... Args>
auto callPrevious(const Fn& previous, Args&&... args) {
  using R = decltype(previous(std::forward<Args>(args)...));
  if (!previous) {
    if constexpr (std::is_void_v<R>) return;
    else return R{};
  }
  return previous(std::forward<Args>(args)...);
}

}  // namespace tarvo
