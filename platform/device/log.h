#pragma once
// The system log.
#include <string>

namespace platform {

class Process;

// NSLog: the line is recorded with the virtual time and the process, and traced.
void NSLog(Process& process, std::string line);

}  // namespace platform
