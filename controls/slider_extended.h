#pragma once
// UISliderExtended: a slider whose track fills its whole width from the left edge at the height the settings
// give, and whose touch area reaches 20 points beyond its bounds on every side.
#include "platform/runtime/runtime.h"

namespace tarvo {

struct Settings;

// Registers the class under UISlider; the track height is read from `settings` at each call.
void registerSliderExtendedClass(rt::Runtime& runtime, const Settings& settings);

}  // namespace tarvo
