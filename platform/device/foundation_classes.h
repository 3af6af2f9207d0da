#pragma once
// The Foundation classes every process's runtime starts with.
#include "platform/runtime/runtime.h"

namespace platform {

// NSObject (root: alloc, new, init, description) and NSTimer.
void registerFoundationClasses(rt::Runtime& runtime);

// alloc + init in one call, through the runtime so that replaced initialisers run.
rt::Id allocInit(rt::Class& cls);

}  // namespace platform
