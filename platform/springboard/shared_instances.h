#pragma once
// The shell's singletons (sharedInstance, sharedVolumeControl, ...): one object per class and process.
#include <string_view>

#include "platform/runtime/object.h"
#include "platform/runtime/runtime.h"

namespace platform {

class Process;

// The one instance of the class in its process, made with the class's allocator on first use.
rt::Id sharedObject(rt::Class& cls);

// Defines a class method answering sharedObject of the receiving class.
void defineSharedAccessor(rt::Class& cls, std::string_view selector);

// Sends the class method to the named class; nil when the process has no such class.
rt::Id sendShared(Process& process, std::string_view className, std::string_view selector);

}  // namespace platform
