#include "platform/device/log.h"

#include "platform/device/device.h"

namespace platform {

void NSLog(Process& process, std::string line) { process.device().log(process, std::move(line)); }

}  // namespace platform
