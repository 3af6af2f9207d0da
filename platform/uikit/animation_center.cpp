#include "platform/uikit/animation_center.h"

#include <algorithm>
#include <cmath>

#include "platform/device/process.h"
#include "platform/uikit/view.h"

namespace platform {

namespace {

// Longer animations are not meant seriously; capping keeps every time sum far from overflowing.
constexpr double kLongestSeconds = 1e6;

double usableSeconds(double seconds) {
  if (!(seconds > 0)) return 0;  // negative and NaN
  return std::min(seconds, kLongestSeconds);
}

PlistDict changeRecord(const UIView& view, AnimatableProperty property, const AnimatableValue& from,
                       const AnimatableValue& to, bool changed) {
  PlistDict change;
  change.set("view", view.className());
  change.set("property", propertyName(property));
  change.set("from", toPlist(from));
  change.set("to", toPlist(to));
  change.set("changed", changed);
  return change;
}

}  // namespace

void AnimationCenter::animate(double duration, double delay, unsigned options, TimingCurve curve,
                              const std::function<void()>& animations, std::function<void(bool)> completion) {
  duration = usableSeconds(duration);
  delay = usableSeconds(delay);
  OpenBlock opened;
  opened.id = nextId_++;
  opened.begin = process_.now() + secondsToNanos(delay);
  opened.duration = secondsToNanos(duration);
  opened.options = options;
  opened.curve = curve;
  blocks_.push_back(std::move(opened));
  try {
    if (animations) animations();
  } catch (...) {
    blocks_.pop_back();
    throw;
  }
  OpenBlock block = std::move(blocks_.back());
  blocks_.pop_back();

  const bool changed = block.changedSomething;
  if (process_.tracing()) {
    PlistDict fields;
    fields.set("id", static_cast<std::int64_t>(block.id));
    fields.set("duration", duration);
    fields.set("delay", delay);
    fields.set("options", static_cast<std::int64_t>(options));
    fields.set("changes", std::move(block.changes));
    process_.trace("animation.begin", std::move(fields));
  }

  auto finish = [&process = process_, id = block.id, completion = std::move(completion)] {
    if (process.tracing()) {
      PlistDict done;
      done.set("id", static_cast<std::int64_t>(id));
      done.set("finished", true);
      process.trace("animation.complete", std::move(done));
    }
    if (completion) completion(true);
  };
  if (changed)
    process_.runLoop().schedule(block.begin + block.duration, std::move(finish));
  else
    process_.runLoop().performSoon(std::move(finish));
}

void AnimationCenter::withoutAnimation(const std::function<void()>& changes) {
  OpenBlock disabled;
  disabled.enabled = false;
  blocks_.push_back(std::move(disabled));
  try {
    if (changes) changes();
  } catch (...) {
    blocks_.pop_back();
    throw;
  }
  blocks_.pop_back();
}

void AnimationCenter::propertyChanged(UIView& view, AnimatableProperty property,
                                      const AnimatableValue& before, const AnimatableValue& after,
                                      bool animatable) {
  if (!animatable || !insideAnimationBlock()) {
    view.cancelAnimation(property);
    return;
  }
  OpenBlock& block = blocks_.back();
  if (before == after) {
    // Setting a value to what it is animates nothing, but the block did set it: a fade to the current alpha
    // must not look like an empty block.
    if (process_.tracing()) block.changes.emplace_back(changeRecord(view, property, before, after, false));
    return;
  }
  block.changedSomething = true;
  AnimatableValue from = before;
  if (block.options & UIViewAnimationOptionBeginFromCurrentState) {
    if (auto onScreen = view.animatedValue(property, process_.now())) from = *onScreen;
  }
  view.addAnimation({property, from, after, block.begin, block.duration, block.curve, block.id});
  if (process_.tracing()) block.changes.emplace_back(changeRecord(view, property, from, after, true));
}

}  // namespace platform
