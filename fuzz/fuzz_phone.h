#pragma once
// A simulated phone for the fuzz targets, booted as the simulator boots one (sim::SimPhone): the shell
// with Tarvo12 and Tarvo12Kit, two apps with their own status bars (one classic with the agent, one split
// with Tarvo12 injected too, so its bar colours reach the shell's cache). Made afresh for every input, so
// that every finding replays from its input alone.
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "hud/tarvo12.h"
#include "platform/device/device.h"
#include "platform/foundation/plist_file.h"
#include "platform/render/renderer.h"
#include "platform/springboard/host.h"
#include "platform/uikit/hit_testing.h"
#include "platform/uikit/window.h"
#include "settings/preferences.h"
#include "sim/scenario/device_models.h"
#include "sim/sim_phone.h"

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
    device.trace().setRetention(256);
    springBoard = &phone.springBoard();
    auto path = springBoard->resolvePath(tarvo::kPreferencesPath);
    if (options.settings) platform::writePlistDictionary(path, *options.settings, platform::PlistFormat::Xml);
    if (options.rawSettings) writeRaw(path, *options.rawSettings);
    phone.launch();
    tarvo = phone.tarvo();
    startApp(kFrontApp, sim::BarKind::Classic, false);
    startApp(kOtherApp, sim::BarKind::Split, true);
    app = phone.app(kFrontApp);
    phone.bringToFront(kFrontApp);
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
  static const sim::DeviceModel& modelNamed(const std::string& name) {
    const sim::DeviceModel* model = sim::deviceModelNamed(name);
    return model ? *model : sim::defaultDeviceModel();
  }
  void startApp(const char* bundle, sim::BarKind bar, bool withTarvo12) {
    sim::StartApp command;
    command.bundle = bundle;
    command.bar = bar;
    command.colour = sim::Colour{"#FF0000", 1, 0, 0, 1};
    command.style = 1;
    if (withTarvo12) command.loadsTarvo12 = true;
    phone.startApp(command);
  }
  static void writeRaw(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
};

}  // namespace fuzzing
