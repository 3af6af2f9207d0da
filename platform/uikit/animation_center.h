#pragma once
// A process's block animations: the open animation blocks, the records they leave on views, their
// completions on the main run loop and their trace.
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/foundation/plist_value.h"
#include "platform/uikit/animation.h"

namespace platform {

class Process;
class UIView;

class AnimationCenter {
 public:
  explicit AnimationCenter(Process& process) : process_(process) {}

  // The block changes model values at once; each changed animatable value gets a record from its old value
  // (or, with UIViewAnimationOptionBeginFromCurrentState, the value on screen now) to the new one. The
  // completion runs at start + delay + duration when something changed, otherwise on the next turn of the
  // run loop; finished is YES either way. Negative or NaN durations and delays count as 0.
  void animate(double duration, double delay, unsigned options, TimingCurve curve,
               const std::function<void()>& animations, std::function<void(bool)> completion);
  // Changes made inside jump, even within an animation block.
  void withoutAnimation(const std::function<void()>& changes);

  // Views report every change of an animatable property here.
  void propertyChanged(UIView& view, AnimatableProperty property, const AnimatableValue& before,
                       const AnimatableValue& after, bool animatable);

  bool insideAnimationBlock() const { return !blocks_.empty() && blocks_.back().enabled; }

 private:
  struct OpenBlock {
    std::uint64_t id = 0;
    Nanos begin = 0;
    Nanos duration = 0;
    unsigned options = 0;
    TimingCurve curve = TimingCurve::linear();
    bool enabled = true;
    PlistArray changes;  // every value the block set, changed or not
    bool changedSomething = false;
  };

  Process& process_;
  std::vector<OpenBlock> blocks_;
  std::uint64_t nextId_ = 1;
};

}  // namespace platform
