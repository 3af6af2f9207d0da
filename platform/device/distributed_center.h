#pragma once
// Both forms of the platform's distributed notification centre, as the system calls them.
#include <functional>
#include <string>
#include <string_view>

#include "platform/device/notification_bus.h"
#include "platform/foundation/plist_value.h"

namespace platform {

class Process;

// --- CoreFoundation form --------------------------------------------------------------------------

struct CFNotificationCenter {
  Process* process;
};
using CFNotificationCenterRef = CFNotificationCenter*;

enum CFNotificationSuspensionBehavior : int {
  CFNotificationSuspensionBehaviorDrop = 1,
  CFNotificationSuspensionBehaviorCoalesce = 2,
  CFNotificationSuspensionBehaviorHold = 3,
  CFNotificationSuspensionBehaviorDeliverImmediately = 4,
};

// centre, observer, name, object, userInfo (nullptr when the post had none)
using CFNotificationCallback =
    std::function<void(CFNotificationCenterRef, void*, std::string_view, const void*, const PlistDict*)>;

CFNotificationCenterRef CFNotificationCenterGetDistributedCenter(Process& process);
void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callback, std::string_view name, const void* object,
                                     int suspensionBehavior);
void CFNotificationCenterPostNotification(CFNotificationCenterRef center, std::string_view name,
                                          const void* object, const PlistDict* userInfo, bool deliverImmediately);

// --- Foundation form -----------------------------------------------------------------------------

class NSNotification {
 public:
  explicit NSNotification(const Notification& note) : note_(note) {}
  const std::string& name() const { return note_.name; }
  const PlistDict* userInfo() const { return note_.userInfo.get(); }

 private:
  const Notification& note_;
};

// The main queue of a process: blocks run on its main run loop.
class NSOperationQueue {
 public:
  static NSOperationQueue* mainQueue(Process& process);
  void addOperationWithBlock(std::function<void()> block);
  Process& process() const { return *process_; }
  explicit NSOperationQueue(Process& process) : process_(&process) {}

 private:
  Process* process_;
};

class NSDistributedNotificationCenter {
 public:
  static NSDistributedNotificationCenter& defaultCenter(Process& process);
  explicit NSDistributedNotificationCenter(Process& process) : process_(&process) {}

  // The block runs on the queue's run loop (the main queue, as the system always passes).
  void addObserverForName(std::string_view name, const void* object, NSOperationQueue* queue,
                          std::function<void(const NSNotification&)> block);
  void postNotificationName(std::string_view name, const void* object, const PlistDict* userInfo);

 private:
  Process* process_;
};

}  // namespace platform
