#pragma once
// Loading Tarvo12 into a process: the library constructor reads the settings, subscribes to the
// notifications and installs the method replacements, then the settings' load-time initialisation runs.
#include "hud/tarvo12.h"

namespace tarvo {

// Loads the library into the process (once; a second call answers the loaded one).
Tarvo12& loadTarvo12(platform::Process& process);

}  // namespace tarvo
