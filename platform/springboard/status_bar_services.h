#pragma once
// The shell's status bar classes: the state provider that items are disabled through, the aggregator that
// refreshes items, and the telephony information that names the operator.
#include <optional>
#include <string>

#include "platform/runtime/object.h"
#include "platform/runtime/runtime.h"

namespace platform {

class Process;

// SBMainStatusBarStateProvider: disableStatusBarItem:requestor: / enableStatusBarItem:requestor: keep the
// disabled items per requestor; setTimeCloaked: hides the clock.
class SBMainStatusBarStateProvider : public rt::Object {
 public:
  using rt::Object::Object;
};

// SBStatusBarStateAggregator: _updateServiceItem, updateStatusBarItem:, _notifyItemChanged:.
class SBStatusBarStateAggregator : public rt::Object {
 public:
  using rt::Object::Object;
};

// SBTelephonySubscriptionInfo: operatorName.
class SBTelephonySubscriptionInfo : public rt::Object {
 public:
  using rt::Object::Object;
  std::string carrierName = "Carrier";
};

// Registers the three classes with their shared instances (class method sharedInstance).
void registerStatusBarServiceClasses(rt::Runtime& runtime);

// sharedInstance of the named class, or nil when the process has no such class.
rt::Id sharedInstance(Process& process, std::string_view className);

}  // namespace platform
