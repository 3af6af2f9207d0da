#pragma once
// Gesture recognisers with target/action pairs. Only taps are simulated: one tap, one touch.
#include <memory>
#include <string>
#include <vector>

#include "platform/runtime/object.h"

namespace platform {

class Process;
class UIView;

class UIGestureRecognizer : public rt::Object {
 public:
  using rt::Object::Object;

  // Targets are not retained, as in UIKit; a target that has gone away is skipped.
  void addTarget(const rt::Id& target, std::string action);
  void removeTarget(const rt::Id& target, std::string_view action);
  std::size_t targetCount() const { return targets_.size(); }

  std::shared_ptr<UIView> view() const { return view_.lock(); }
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }

  // Sends every action (void(Id), the recogniser as argument) through the runtime; answers how many were
  // sent.
  std::size_t sendActions();

  // Called by UIView when it adopts or lets go of the recogniser.
  void attachToView(const std::shared_ptr<UIView>& view) { view_ = view; }

 private:
  struct Target {
    rt::WeakId target;
    std::string action;
  };
  std::vector<Target> targets_;
  std::weak_ptr<UIView> view_;
  bool enabled_ = true;
};

class UITapGestureRecognizer : public UIGestureRecognizer {
 public:
  using UIGestureRecognizer::UIGestureRecognizer;

  unsigned numberOfTapsRequired() const { return taps_; }
  void setNumberOfTapsRequired(unsigned taps) { taps_ = taps; }
  unsigned numberOfTouchesRequired() const { return touches_; }
  void setNumberOfTouchesRequired(unsigned touches) { touches_ = touches; }
  // Whether a single one-finger tap completes this recogniser.
  bool recognizesSingleTap() const { return isEnabled() && taps_ == 1 && touches_ == 1; }

 private:
  unsigned taps_ = 1;
  unsigned touches_ = 1;
};

// alloc + initWithTarget:action: through the runtime; nil when the class is missing.
std::shared_ptr<UITapGestureRecognizer> makeTapGestureRecognizer(
    Process& process, const rt::Id& target, std::string action,
    std::string_view className = "UITapGestureRecognizer");

}  // namespace platform
