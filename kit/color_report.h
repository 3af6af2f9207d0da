#pragma once
// The answer to SpringBoard's "velkarin.tarvo12.requeststatusbarproperties": the front app reports the
// colour its status bar draws in, as hue, saturation, brightness and alpha.
#include <optional>
#include <string>

#include "platform/device/distributed_center.h"
#include "platform/device/process.h"

namespace tarvokit {

// `bundle` is this process's bundle identifier as read when the observer was registered. Logs that the
// request came; when "frontMostApp" names this process, posts "velkarin.tarvo12.getstatusbarproperties"
// with "bundle", "hue", "saturation", "brightness" and "alpha".
void reportStatusBarColor(platform::Process& process, const std::optional<std::string>& bundle,
                          const platform::NSNotification& note);

}  // namespace tarvokit
