#pragma once
// `expect app`: reads a value of a process's own (a view of its status bar, its live platform objects) and
// compares it.
#include <optional>
#include <string>

#include "platform/device/process.h"
#include "sim/scenario/expectations.h"

namespace sim {

// The value the field names in this process now, or nothing when the view does not exist.
std::optional<platform::PlistValue> appFieldValue(platform::Process& process, const ExpectAppField& field);
// Nothing when the expectation holds, else "expected ..., found ...".
std::optional<std::string> checkAppField(platform::Process& process, const ExpectAppField& field);

}  // namespace sim
