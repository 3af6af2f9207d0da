#pragma once
// A simulated phone for the fuzz targets, booted as the simulator boots one (sim::SimPhone): the shell
// with Tarvo12 and Tarvo12Kit, two apps with their own status bars (one classic with the agent, one split
// with Tarvo12 injected too, so its bar colours reach the shell's cache).
//
// Booting costs far more than an input, so `phoneFor` keeps one phone per model and reboots it every
// kInputsPerBoot inputs: the first input after a boot is its settings file at launch, the others arrive
// as the settings pane delivers them (the file rewritten, the change posted) on a phone reset to the app
// in front, portrait and the HUD hidden. A single input replayed runs on a fresh phone, as its first; a
// finding that needs what earlier inputs left behind replays with those inputs in order.
// TARVO_FUZZ_INPUTS_PER_BOOT=1 gives every input a fresh phone.
//
// A phone kept between inputs may hold more after one than before it (the colour cache, say), so
// libFuzzer's leak check after each input would scan the heap every time; scripts/run-fuzzers turns it off for these targets and the phone
// is checked for leaks here instead, each time it is shut down.
#include <sanitizer/lsan_interface.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "hud/tarvo12.h"
#include "platform/device/device.h"
#include "platform/render/renderer.h"
#include "platform/springboard/host.h"
#include "platform/springboard/volume_control.h"
#include "platform/uikit/hit_testing.h"
#include "platform/uikit/window.h"
#include "sim/scenario/device_models.h"
#include "sim/phone/settings_pane.h"
#include "sim/phone/sim_phone.h"

namespace fuzzing {

inline constexpr const char* kFrontApp = "com.example.notes";
inline constexpr const char* kOtherApp = "com.example.music";

struct FuzzPhoneOptions {
  std::string model = "iPhone10,3";  // notched, so the split-bar paths run too
  std::optional<platform::PlistDict> settings;
  std::optional<std::string> rawSettings;  // bytes written as the settings file, as they are
};

class FuzzPhone {
 public:
  explicit FuzzPhone(const FuzzPhoneOptions& options = {})
      : phone(modelNamed(options.model), sim::DeviceSetup{}), device(phone.device()) {
    device.trace().setRetention(0);  // nothing reads it, so no event is kept
    springBoard = &phone.springBoard();
    writeSettings(options, false);  // read at launch
    phone.launch();
    tarvo = phone.tarvo();
    startApp(kFrontApp, sim::BarKind::Classic, false);
    startApp(kOtherApp, sim::BarKind::Split, true);
    app = phone.app(kFrontApp);
    phone.bringToFront(kFrontApp);
    device.drain();
  }

  // What an input may have moved, back as boot left it. Only what was moved is put back, so that an input
  // runs little besides its own work; the levels always are, so that a press does what it did on boot.
  void reset() {
    auto volume = platform::sharedVolumeControl(*springBoard);
    volume->mediaVolume = volume->ringerVolume = 0.5f;
    volume->buttonsChangeRinger = false;
    if (moved_.front) phone.bringToFront(kFrontApp);
    if (moved_.barColour) phone.setAppBarColour(kOtherApp, kBarColour);
    if (moved_.orientation) platform::rotateInterface(*springBoard, 1);
    moved_ = {};
    device.drain();
    device.advance(5);  // any HUD hidden, any fade over
  }
  // What an input does to the phone, through here so that reset() knows what to put back.
  void rotate(long long orientation) {
    platform::rotateInterface(*springBoard, orientation);
    moved_.orientation = true;
  }
  void front(const char* bundle) {  // null: the home screen
    if (bundle) phone.bringToFront(bundle);
    else phone.goHome();
    moved_.front = true;
  }
  void setOtherAppBarColour(const std::optional<sim::Colour>& colour) {
    phone.setAppBarColour(kOtherApp, colour);
    moved_.barColour = true;
    device.drain();
  }
  // New settings as the settings pane gives them: the whole file, then the change posted from its process.
  void deliverSettings(const FuzzPhoneOptions& options) {
    writeSettings(options, true);
    device.drain();
  }

  void press(bool up = true) {
    platform::pressVolumeButton(*springBoard, up);
    device.drain();
  }
  void tapHud() {
    if (tarvo && tarvo->views.tarvoHUDWindow) platform::simulateTap(device, tarvo->views.tarvoHUDWindow->center());
  }
  platform::CGImageRef render(double scale = 1) { return phone.renderScreen(renderer, scale); }

  sim::SimPhone phone;
  platform::Device& device;
  platform::Process* springBoard = nullptr;
  platform::Process* app = nullptr;
  tarvo::Tarvo12* tarvo = nullptr;
  platform::Renderer renderer;

 private:
  // The options' settings file, written whole as the settings pane writes it (raw bytes as they are).
  void writeSettings(const FuzzPhoneOptions& options, bool post) {
    sim::WriteSettingsFile file;
    if (options.rawSettings) file.contents = *options.rawSettings;
    else if (options.settings) file.contents = platform::PlistValue(*options.settings);
    else return;
    file.write.post = post;
    sim::SettingsPane(*springBoard, phone.preferences()).writeFile(file);
  }

  struct Moved {
    bool front = false, barColour = false, orientation = false;
  } moved_;
  static inline const sim::Colour kBarColour{"#FF0000", 1, 0, 0, 1};
  static const sim::DeviceModel& modelNamed(const std::string& name) {
    const sim::DeviceModel* model = sim::deviceModelNamed(name);
    return model ? *model : sim::defaultDeviceModel();
  }
  void startApp(const char* bundle, sim::BarKind bar, bool withTarvo12) {
    sim::StartApp command;
    command.bundle = bundle;
    command.bar = bar;
    command.colour = kBarColour;
    command.style = 1;
    if (withTarvo12) command.loadsTarvo12 = true;
    phone.startApp(command);
  }
};

inline constexpr int kInputsPerBoot = 200;

// The phone for the next input, with the input's settings in place (see the top of this file).
inline FuzzPhone& phoneFor(const FuzzPhoneOptions& options) {
  struct Booted {
    std::unique_ptr<FuzzPhone> phone;
    int inputs = 0;
  };
  static std::map<std::string, Booted> phones;
  static const int inputsPerBoot = [] {
    const char* value = std::getenv("TARVO_FUZZ_INPUTS_PER_BOOT");
    return value && std::atoi(value) > 0 ? std::atoi(value) : kInputsPerBoot;
  }();
  Booted& booted = phones[options.model];
  if (!booted.phone || booted.inputs >= inputsPerBoot) {
    if (booted.phone) {
      booted.phone.reset();  // one phone per model at a time
      if (__lsan_do_recoverable_leak_check()) std::abort();
    }
    booted.phone = std::make_unique<FuzzPhone>(options);
    booted.inputs = 1;
    return *booted.phone;
  }
  ++booted.inputs;
  booted.phone->reset();
  booted.phone->deliverSettings(options);
  return *booted.phone;
}

}  // namespace fuzzing
