#pragma once
// A phone for the benchmarks, booted as the simulator boots one (sim::SimPhone): the shell with Tarvo12 and
// Tarvo12Kit injected, a settings file, an app in front with its own status bar. Presses go through the
// shell's volume button path and the run loops are drained, so a measured press costs what a press costs
// on the simulated phone.
#include <memory>

#include "platform/device/device.h"
#include "platform/foundation/plist_value.h"

namespace sim {
class SimPhone;
}
namespace tarvo {
class Tarvo12;
}

namespace bench {

struct BenchPhoneOptions {
  bool dynamicColors = false;  // colours from the per-app cache instead of the settings file
  bool literal = false;        // the HUD's uncached path: decode, tint and read the file on every show
  bool launch = true;          // boot the shell (loading Tarvo12) and bring the app to front
  const char* content = "photo";  // the built-in picture the app shows behind the HUD
  bool blur = false;              // the HUD blurs what lies beneath it
};

// The settings of the steady-state press: the four colour keys, icons and the percentage on.
platform::PlistDict pressSettings(bool dynamicColors, bool blur = false);

class BenchPhone {
 public:
  explicit BenchPhone(BenchPhoneOptions options = {});
  ~BenchPhone();

  // The shell's launch with the library loaded into it, and the app brought to front: all that happens
  // before the first press.
  void loadAndLaunch();
  // One volume step (alternately up and down, so the level never sticks at an end), then the run loops
  // run for `settle` seconds of virtual time.
  void press(double settle = 0.05);

  platform::Device& device();
  sim::SimPhone& phone() { return *phone_; }
  tarvo::Tarvo12* tarvo() const;

 private:
  BenchPhoneOptions options_;
  std::unique_ptr<sim::SimPhone> phone_;
  bool up_ = true;
};

}  // namespace bench
