#include "platform/device/timer.h"

#include "platform/device/process.h"
#include "platform/runtime/message.h"

namespace platform {

namespace {
constexpr double kShortestInterval = 0.0001;
}

std::shared_ptr<NSTimer> NSTimer::scheduledTimer(Process& process, double interval, rt::Id target,
                                                 std::string selector, rt::Id userInfo, bool repeats) {
  auto timer = rt::cast<NSTimer>(process.runtime().requireClass("NSTimer").allocate());
  timer->interval_ = interval > 0 ? interval : kShortestInterval;  // NaN too
  timer->repeats_ = repeats;
  timer->valid_ = true;
  timer->target_ = std::move(target);
  timer->selector_ = std::move(selector);
  timer->userInfo_ = std::move(userInfo);
  timer->arm(process.now() + secondsToNanos(timer->interval_));
  PlistDict fields;
  fields.set("interval", timer->interval_);
  fields.set("selector", timer->selector_);
  fields.set("repeats", repeats);
  fields.set("fireAt", nanosToSeconds(timer->fireDate()));
  process.trace("timer.schedule", std::move(fields));
  return timer;
}

void NSTimer::arm(Nanos due) {
  // The run loop keeps the timer alive until it fires or is invalidated.
  auto self = std::static_pointer_cast<NSTimer>(shared_from_this());
  key_ = process().runLoop().schedule(due, [self] { self->fire(); });
}

void NSTimer::invalidate() {
  if (!valid_) return;
  valid_ = false;
  if (key_) process().runLoop().cancel(*key_);
  PlistDict fields;
  fields.set("selector", selector_);
  process().trace("timer.invalidate", std::move(fields));
  target_.reset();
  userInfo_.reset();
}

void NSTimer::fire() {
  if (!valid_) return;
  auto self = std::static_pointer_cast<NSTimer>(shared_from_this());
  PlistDict fields;
  fields.set("selector", selector_);
  process().trace("timer.fire", std::move(fields));
  rt::Id target = target_;
  if (repeats_) arm(process().now() + secondsToNanos(interval_));
  else {
    valid_ = false;
    key_.reset();
  }
  rt::send<void(rt::Id)>(target, selector_, rt::Id(self));
  if (!repeats_) {
    target_.reset();
    userInfo_.reset();
  }
}

}  // namespace platform
