#include "platform/uikit/system_sound.h"

#include <cstdint>

#include "platform/device/process.h"

namespace platform {

void AudioServicesPlaySystemSound(Process& process, SystemSoundID soundID) {
  PlistDict fields;
  fields.set("id", static_cast<std::int64_t>(soundID));
  process.trace("sound", std::move(fields));
}

}  // namespace platform
