#include "settings/device_model.h"

#include "platform/device/device.h"
#include "platform/device/process.h"

namespace tarvo {

std::string deviceName(platform::Process& process) {
  return process.device().machine();
}

void runModelTest(platform::Process& process, bool& isIPhoneX) {
  for (std::string_view model : kNotchedModels) {
    if (deviceName(process) == model) {
      isIPhoneX = true;
      return;
    }
  }
}

}  // namespace tarvo
