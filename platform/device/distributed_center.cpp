#include "platform/device/distributed_center.h"

#include "platform/device/device.h"
#include "platform/device/process.h"

namespace platform {

namespace {
// Per-process handles of the centres, so that the references handed out stay valid.
struct Centers {
  explicit Centers(Process& p) : cf{&p}, ns(p), mainQueue(p) {}
  CFNotificationCenter cf;
  NSDistributedNotificationCenter ns;
  NSOperationQueue mainQueue;
};
}  // namespace

CFNotificationCenterRef CFNotificationCenterGetDistributedCenter(Process& process) {
  return &process.service<Centers>().cf;
}

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callback, std::string_view name, const void* /*object*/,
                                     int suspensionBehavior) {
  if (!center || !callback) return;
  void* observerPointer = const_cast<void*>(observer);
  center->process->device().bus().addObserver(
      *center->process, std::string(name), CenterForm::CF, suspensionBehavior,
      [center, observerPointer, callback = std::move(callback)](const Notification& note) {
        callback(center, observerPointer, note.name, nullptr, note.userInfo.get());
      });
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, std::string_view name,
                                          const void* /*object*/, const PlistDict* userInfo,
                                          bool deliverImmediately) {
  if (!center) return;
  center->process->device().bus().post(*center->process, name, userInfo, CenterForm::CF, deliverImmediately);
}

NSOperationQueue* NSOperationQueue::mainQueue(Process& process) { return &process.service<Centers>().mainQueue; }

void NSOperationQueue::addOperationWithBlock(std::function<void()> block) {
  process_->runLoop().performSoon(std::move(block));
}

NSDistributedNotificationCenter& NSDistributedNotificationCenter::defaultCenter(Process& process) {
  return process.service<Centers>().ns;
}

void NSDistributedNotificationCenter::addObserverForName(std::string_view name, const void* /*object*/,
                                                         NSOperationQueue* /*queue*/,
                                                         std::function<void(const NSNotification&)> block) {
  if (!block) return;
  // Delivery already happens on the observer's main run loop; with the main queue that is where blocks run.
  process_->device().bus().addObserver(*process_, std::string(name), CenterForm::NS, 0,
                                       [block = std::move(block)](const Notification& note) {
                                         block(NSNotification(note));
                                       });
}

void NSDistributedNotificationCenter::postNotificationName(std::string_view name, const void* /*object*/,
                                                           const PlistDict* userInfo) {
  process_->device().bus().post(*process_, name, userInfo, CenterForm::NS, false);
}

}  // namespace platform
