#pragma once
// Reaching into UIKit's objects by instance-variable name, looked up afresh on the object's class each time.
#include <string_view>

#include "platform/device/process.h"
#include "platform/runtime/object.h"

namespace tarvokit {

// The object held in the named instance variable; nil when the object is nil, when its class has no
// variable of that name, or when the variable does not hold an object.
rt::Id objectIvar(const rt::Id& object, std::string_view name);

// "_statusBar" of the shared application; nil without an application or a status bar.
rt::Id sharedStatusBar(platform::Process& process);

// Whether "modifier" in the payload is exactly "hide"; anything else, or nothing, means show.
bool modifierIsHide(const platform::PlistDict* userInfo);

}  // namespace tarvokit
