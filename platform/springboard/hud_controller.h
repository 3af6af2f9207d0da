#pragma once
// SBHUDController and the shell's stock HUD views: the volume and ringer indicators the shell shows itself.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/runtime/object.h"
#include "platform/runtime/runtime.h"
#include "platform/uikit/view.h"

namespace platform {

class Process;
class UIWindow;

// SBHUDView and its two kinds. The volume view's `_mode` is 1 for the ringer, 0 for media.
class SBHUDView : public UIView {
 public:
  using UIView::UIView;
  std::int32_t mode = 0;
  float progress = 0;
  bool silent = false;  // the ringer view's state
  std::shared_ptr<UIView> content;  // the level blocks and the title, inside a plain view
};

class SBHUDController : public rt::Object {
 public:
  using rt::Object::Object;
  static constexpr double kAutoDismissDelay = 1.0;
  static constexpr double kWindowLevel = 1050;

  std::int64_t orientation = 1;  // `_orientation`, the interface orientation the HUD is laid out for

  // The shell's volume view, made once; its mode is set for each step.
  std::shared_ptr<SBHUDView> volumeHUDView(std::int32_t mode);
  std::shared_ptr<SBHUDView> ringerHUDView(bool silent);
  // A stock view of another kind (brightness, say), of a class registered under SBHUDView if it is missing;
  // nil when a class of that name exists but is no HUD view.
  std::shared_ptr<SBHUDView> otherHUDView(const std::string& className);
  const std::shared_ptr<UIWindow>& window() const { return window_; }
  const rt::Id& presentedView() const { return presented_; }

 private:
  friend void registerHUDControllerClasses(rt::Runtime& runtime);
  void present(const rt::Id& view, double dismissAfter);
  void dismiss(std::uint64_t presentation);
  void recenter();
  std::shared_ptr<UIWindow> ensureWindow();
  std::shared_ptr<UIWindow> window_;
  std::shared_ptr<SBHUDView> volumeView_;
  std::shared_ptr<SBHUDView> ringerView_;
  std::map<std::string, std::shared_ptr<SBHUDView>, std::less<>> otherViews_;
  rt::Id presented_;
  std::uint64_t presentation_ = 0;
};

// SBHUDView, SBVolumeHUDView (setProgress:, `_mode`), SBRingerHUDView, _UIBackdropView and SBHUDController
// (sharedHUDController, presentHUDView:, presentHUDView:autoDismissWithDelay:, _recenterHUDView,
// reorientHUDIfNeeded:, `_orientation`). Needs the UIKit classes.
void registerHUDControllerClasses(rt::Runtime& runtime);

// The shell presents a HUD view that is neither the volume nor the ringer view, through the runtime
// (presentHUDView:autoDismissWithDelay:), as it does for brightness. Nothing when the class is no HUD view.
void presentOtherHUDView(Process& springBoard, const std::string& className, double delay);

std::shared_ptr<SBHUDController> sharedHUDController(Process& process);

}  // namespace platform
