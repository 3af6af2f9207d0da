#pragma once
// A phone for the benchmarks, booted the way the simulator boots one: the shell, Tarvo12 loaded from a
// settings file, an app in front. Presses go through the shell's own volume button path and the run loops
// are drained, so a measured press costs what a press costs on the simulated phone.
#include <memory>
#include <string>

#include "platform/device/device.h"
#include "platform/foundation/plist_value.h"

namespace tarvo {
class Tarvo12;
}

namespace bench {

struct BenchPhoneOptions {
  bool dynamicColors = false;  // colours from the per-app cache instead of the settings file
  bool literal = false;        // the HUD's uncached path: decode, tint and read the file on every show
  bool launch = true;          // boot the shell and load Tarvo12; off leaves a spawned shell only
};

// The settings of the steady-state press: the four colour keys, icons and the percentage on.
platform::PlistDict pressSettings(bool dynamicColors);

class BenchPhone {
 public:
  explicit BenchPhone(BenchPhoneOptions options = {});
  ~BenchPhone();

  // Loads the library, finishes the shell's launch and drains: what happens before the first press.
  void loadAndLaunch();
  // One volume step (alternately up and down, so the level never sticks at an end) and the run loops
  // drained up to `settle` seconds later.
  void press(double settle = 0.05);

  platform::Device& device() { return *device_; }
  tarvo::Tarvo12* tarvo() const { return tarvo_; }

 private:
  BenchPhoneOptions options_;
  std::unique_ptr<platform::Device> device_;
  platform::Process* springBoard_ = nullptr;
  tarvo::Tarvo12* tarvo_ = nullptr;
  bool up_ = true;
};

}  // namespace bench
