#pragma once
// NSTimer: one-shot and repeating timers with target and action, on the process's main run loop.
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/run_loop.h"
#include "platform/runtime/object.h"

namespace platform {

class Process;

class NSTimer : public rt::Object {
 public:
  // scheduledTimerWithTimeInterval:target:selector:userInfo:repeats: in the default mode of the main run loop.
  // The action is sent as void(Id) with the timer as argument. Like the platform, an interval of zero or less
  // is taken as 0.1 ms.
  static std::shared_ptr<NSTimer> scheduledTimer(Process& process, double interval, rt::Id target,
                                                 std::string selector, rt::Id userInfo, bool repeats);

  explicit NSTimer(rt::Class& cls) : rt::Object(cls) {}

  void invalidate();
  bool isValid() const { return valid_; }
  double timeInterval() const { return interval_; }
  Nanos fireDate() const { return key_ ? key_->due : 0; }
  const rt::Id& userInfo() const { return userInfo_; }
  const std::string& selector() const { return selector_; }

 private:
  void arm(Nanos due);
  void fire();

  double interval_ = 0;
  bool repeats_ = false;
  bool valid_ = false;
  rt::Id target_;
  std::string selector_;
  rt::Id userInfo_;
  std::optional<RunLoop::Key> key_;
};

}  // namespace platform
