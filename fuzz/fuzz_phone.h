#pragma once
// A simulated phone for the fuzz targets, booted by the runner from a scenario of commands: the shell
// with Tarvo12 and Tarvo12Kit, two apps with their own status bars (one classic with the agent, one split
// with Tarvo12 injected too, so its bar colours reach the shell's cache). Everything an input does to it
// is a scenario command, acted out through the runner's entry for one command.
//
// Booting costs far more than an input, so `phoneFor` keeps one phone per model and reboots it every
// kInputsPerBoot inputs: the first input after a boot is its settings file at launch, the others arrive
// as the settings pane delivers them (the file rewritten, the change posted) on a phone reset to the app
// in front, portrait, plain content, no kept values and the HUD hidden. A single input replayed runs on a fresh phone, as its first; a
// finding that needs what earlier inputs left behind replays with those inputs in order.
// TARVO_FUZZ_INPUTS_PER_BOOT=1 gives every input a fresh phone.
//
// A phone kept between inputs may hold more after one than before it (the colour cache, say), so
// libFuzzer's leak check after each input would scan the heap every time; scripts/run-fuzzers turns it off for these targets and the phone
// is checked for leaks here instead, when it is shut down (at most once every kInputsPerLeakCheck inputs).
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
#include "sim/play/runner.h"
#include "sim/scenario/device_models.h"
#include "sim/scenario/literals.h"
#include "sim/scenario/overloaded.h"
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
  // The renderer outlives the phone: its fonts, bitmaps and blurs serve the next phone of the model too.
  FuzzPhone(const FuzzPhoneOptions& options, platform::Renderer& renderer)
      : bootSettings_(settingsFile(options, true)),
        boot_(bootScenario(options)),
        runner_(std::make_unique<sim::Runner>(boot_, sim::RunOptions{})),
        phone(runner_->phone()),
        device(phone.device()),
        renderer(renderer) {
    renderer.invalidate();  // what it drew last was another phone
    device.trace().setRetention(0);  // nothing reads it, so no event is kept
    runner_->run();
    springBoard = &phone.springBoard();
    tarvo = phone.tarvo();
    app = phone.app(kFrontApp);
    device.drain();
  }

  // The commands the phone booted with, as a scenario: a generator carries on from it.
  const sim::Scenario& boot() const { return boot_; }

  // Acts out a command through the runner, noting what reset() will have to put back.
  sim::CommandOutcome apply(const sim::Command& command, const sim::Occasion& occasion = {}) {
    std::visit(sim::Overloaded{
                   [&](const sim::BringToFront&) { moved_.front = true; },
                   [&](const sim::GoHome&) { moved_.front = true; },
                   [&](const sim::SetAppBarColour&) { moved_.bars = true; },
                   [&](const sim::SetAppBarStyle&) { moved_.bars = true; },
                   [&](const sim::Rotate&) { moved_.orientation = true; },
                   // Set back to ring, the switch is where boot left it.
                   [&](const sim::SetRingerSwitch& c) { moved_.ringer = c.silent; },
                   [&](const sim::SetSetting&) { moved_.settings = true; },
                   [&](const sim::RemoveSetting&) { moved_.settings = true; },
                   [&](const sim::ReplaceSettings&) { moved_.settings = true; },
                   [&](const sim::DeleteSettings&) { moved_.settings = true; },
                   [&](const sim::WriteSettingsFile&) { moved_.settings = true; },
                   // An input's kept values are its own: the next input's expectations must not see them.
                   [&](const sim::KeepValue&) { moved_.kept = true; },
                   // No app leaves a phone once started: the next input gets a new phone.
                   [&](const sim::StartApp&) { worn_ = true; },
                   // Tarvo12 keeps a split layout once told of it.
                   [&](const sim::SetForceSplit& c) { worn_ = worn_ || c.split; },
                   [&](const sim::SetModernBar& c) { worn_ = worn_ || c.modern; },
                   [&](const sim::SetAppContent&) { moved_.content = true; },
                   [&](const sim::SetWallpaper&) { moved_.content = true; },
                   [](const auto&) {},
               },
               command);
    return runner_->apply(command, occasion);
  }

  // What an input may have moved, back as boot left it. Only what was moved is put back, so that an input
  // runs little besides its own work; the levels always are, so that a press does what it did on boot.
  void reset() {
    auto volume = platform::sharedVolumeControl(*springBoard);
    volume->mediaVolume = volume->ringerVolume = 0.5f;
    volume->buttonsChangeRinger = false;
    if (moved_.front) runner_->apply(sim::BringToFront{kFrontApp});
    if (moved_.bars) {
      for (const char* bundle : {kFrontApp, kOtherApp}) runner_->apply(sim::SetAppBarColour{bundle, barColour()});
      runner_->apply(sim::SetAppBarStyle{kOtherApp, 1});
      runner_->apply(sim::SetAppBarColour{"", sim::parseColourLiteral("#FFFFFF").value});
      runner_->apply(sim::SetAppBarStyle{"", 1});
    }
    if (moved_.orientation) runner_->apply(sim::Rotate{});
    if (moved_.ringer) runner_->apply(sim::SetRingerSwitch{false});
    if (moved_.content) {
      // Plain content is no view at all, as at boot.
      for (const char* bundle : {kFrontApp, kOtherApp}) runner_->apply(sim::SetAppContent{bundle, {}});
      runner_->apply(sim::SetWallpaper{});
    }
    if (moved_.settings) {
      if (bootSettings_) runner_->apply(*bootSettings_);
      else runner_->apply(sim::DeleteSettings{});
    }
    if (moved_.kept) runner_->forgetKept();
    moved_ = {};
    device.drain();
    device.advance(5);  // any HUD hidden, any fade over
  }
  // Whether the phone holds what reset() cannot put back (an app started, a split layout announced).
  bool worn() const { return worn_; }

  // What an input does to the phone, as commands.
  void rotate(long long orientation) { apply(sim::Rotate{sim::Orientation::Portrait, orientation}); }
  void front(const char* bundle) {  // null: the home screen
    if (bundle) apply(sim::BringToFront{bundle});
    else apply(sim::GoHome{});
  }
  void setOtherAppBarColour(const std::optional<sim::Colour>& colour) {
    apply(sim::SetAppBarColour{kOtherApp, colour});
    device.drain();
  }
  // New settings as the settings pane gives them: the whole file, then the change posted from its process.
  void deliverSettings(const FuzzPhoneOptions& options) {
    if (auto file = settingsFile(options, true)) apply(*file);
    moved_.settings = false;  // the input's own settings, which the next input replaces
    device.drain();
  }

  void press(bool up = true) {
    apply(sim::PressButton{up ? sim::VolumeButton::Up : sim::VolumeButton::Down, {device.now()}});
    device.drain();
  }
  void tapHud() { apply(sim::TapHud{}); }
  platform::CGImageRef render(double scale = 1) { return phone.renderScreen(renderer, scale); }
  // The sinks of the commands that keep frames.
  sim::RunOptions& options() { return runner_->options(); }

 private:
  std::optional<sim::WriteSettingsFile> bootSettings_;
  sim::Scenario boot_;
  std::unique_ptr<sim::Runner> runner_;

 public:
  sim::SimPhone& phone;
  platform::Device& device;
  platform::Process* springBoard = nullptr;
  platform::Process* app = nullptr;
  tarvo::Tarvo12* tarvo = nullptr;
  platform::Renderer& renderer;

 private:
  // The options' settings file, written whole as the settings pane writes it (raw bytes as they are).
  static std::optional<sim::WriteSettingsFile> settingsFile(const FuzzPhoneOptions& options, bool post) {
    sim::WriteSettingsFile file;
    if (options.rawSettings) file.contents = *options.rawSettings;
    else if (options.settings) file.contents = platform::PlistValue(*options.settings);
    else return std::nullopt;
    file.write.post = post;
    return file;
  }

  static std::optional<sim::Colour> barColour() { return sim::parseColourLiteral("#FF0000").value; }

  // The shell with Tarvo12 and Tarvo12Kit, the settings file read at launch, and the two apps.
  static sim::Scenario bootScenario(const FuzzPhoneOptions& options) {
    sim::Scenario boot;
    boot.file = "fuzz-phone";
    boot.setup.model = sim::deviceModelNamed(options.model) ? options.model : std::string(sim::defaultDeviceModel().identifier);
    auto add = [&](sim::Command command) { boot.steps.push_back(sim::Step{boot.file, 0, 0, std::move(command)}); };
    if (auto file = settingsFile(options, false)) add(*file);  // read at launch
    add(sim::Launch{});
    for (const char* bundle : {kFrontApp, kOtherApp}) {
      sim::StartApp start;
      start.bundle = bundle;
      start.name = std::string(bundle).substr(std::string(bundle).rfind('.') + 1);
      start.colour = barColour();
      if (std::string_view(bundle) == kOtherApp) {
        start.bar = sim::BarKind::Split;
        start.style = 1;
        start.loadsTarvo12 = true;  // so its bar colours reach the shell's cache
      }
      add(std::move(start));
    }
    add(sim::BringToFront{kFrontApp});
    return boot;
  }

  struct Moved {
    bool front = false, bars = false, orientation = false, ringer = false, settings = false, content = false,
         kept = false;
  } moved_;
  bool worn_ = false;
};

inline constexpr int kInputsPerBoot = 200;
// A leak check scans the whole heap, as long as a hundred inputs take.
inline constexpr int kInputsPerLeakCheck = 1000;

// The phone for the next input, with the input's settings in place (see the top of this file).
inline FuzzPhone& phoneFor(const FuzzPhoneOptions& options) {
  struct Booted {
    std::unique_ptr<platform::Renderer> renderer = std::make_unique<platform::Renderer>();
    std::unique_ptr<FuzzPhone> phone;
    int inputs = 0;
  };
  static std::map<std::string, Booted> phones;
  static const int inputsPerBoot = [] {
    const char* value = std::getenv("TARVO_FUZZ_INPUTS_PER_BOOT");
    return value && std::atoi(value) > 0 ? std::atoi(value) : kInputsPerBoot;
  }();
  // Phones worn out by an input are shut down often; what leaked stays unreachable, so a check at the first
  // shutdown after every kInputsPerLeakCheck inputs finds it all the same, with where it was allocated (and
  // the check at exit finds what leaked since). When every input has a phone of its own, every shutdown is
  // checked.
  static const int inputsPerLeakCheck = inputsPerBoot == 1 ? 1 : kInputsPerLeakCheck;
  static int inputsSinceLeakCheck = 0;
  ++inputsSinceLeakCheck;
  Booted& booted = phones[options.model];
  if (!booted.phone || booted.inputs >= inputsPerBoot || booted.phone->worn()) {
    if (booted.phone) {
      booted.phone.reset();  // one phone per model at a time
      if (inputsSinceLeakCheck > inputsPerLeakCheck) {
        inputsSinceLeakCheck = 1;
        if (__lsan_do_recoverable_leak_check()) std::abort();
      }
    }
    booted.phone = std::make_unique<FuzzPhone>(options, *booted.renderer);
    booted.inputs = 1;
    return *booted.phone;
  }
  ++booted.inputs;
  booted.phone->reset();
  booted.phone->deliverSettings(options);
  return *booted.phone;
}

}  // namespace fuzzing
