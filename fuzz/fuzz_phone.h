#pragma once
// A simulated phone for the fuzz targets: made afresh for every input, so that every finding replays
// from its input alone. The shell with Tarvo12, an app in front, and helpers to drive them.
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "hooks/tarvo12.h"
#include "platform/device/device.h"
#include "platform/foundation/plist_file.h"
#include "platform/render/renderer.h"
#include "platform/springboard/host.h"
#include "platform/uikit/application.h"
#include "platform/uikit/hit_testing.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"
#include "settings/preferences.h"

namespace fuzzing {

inline constexpr const char* kFrontApp = "com.example.notes";

struct FuzzPhoneOptions {
  std::string model = "iPhone10,3";  // notched, so the split-bar paths run too
  std::optional<platform::PlistDict> settings;
  std::optional<std::string> rawSettings;  // bytes written as the settings file, as they are
  bool launch = true;
};

class FuzzPhone {
 public:
  explicit FuzzPhone(const FuzzPhoneOptions& options = {}) : device(deviceOptions(options)) {
    device.trace().setRetention(256);
    springBoard = &platform::spawnSpringBoard(device);
    auto path = springBoard->resolvePath(tarvo::kPreferencesPath);
    if (options.settings) platform::writePlistDictionary(path, *options.settings, platform::PlistFormat::Xml);
    if (options.rawSettings) writeRaw(path, *options.rawSettings);
    app = &device.spawn("Notes", std::string(kFrontApp));
    platform::loadUIKit(*app);
    platform::UIApplicationMain(*app);
    if (!options.launch) return;
    tarvo = &tarvo::Tarvo12::load(*springBoard);
    platform::startSpringBoard(*springBoard);
    platform::setFrontApplication(*springBoard, std::string(kFrontApp));
    device.drain();
  }

  void press(bool up = true) {
    platform::pressVolumeButton(*springBoard, up);
    device.drain();
  }
  void tapHud() {
    if (tarvo && tarvo->views.tarvoHUDWindow) platform::simulateTap(device, tarvo->views.tarvoHUDWindow->center());
  }
  platform::CGImageRef render(double scale = 1) { return renderer.renderScreen(device, scale); }

  platform::Device device;
  platform::Process* springBoard = nullptr;
  platform::Process* app = nullptr;
  tarvo::Tarvo12* tarvo = nullptr;
  platform::Renderer renderer;

 private:
  static platform::DeviceOptions deviceOptions(const FuzzPhoneOptions& o) {
    platform::DeviceOptions d;
    d.model = o.model;
    return d;
  }
  static void writeRaw(const std::filesystem::path& path, const std::string& bytes);
};

inline void FuzzPhone::writeRaw(const std::filesystem::path& path, const std::string& bytes) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace fuzzing
