#pragma once
// A simulated phone for tests: the shell with Tarvo12 loaded, driven through the shell's own events.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "hooks/tarvo12.h"
#include "platform/device/device.h"
#include "platform/foundation/distributed_center.h"
#include "platform/foundation/plist_file.h"
#include "platform/springboard/host.h"
#include "settings/preferences.h"

namespace testing_support {

struct PhoneOptions {
  std::string model = "iPhone9,3";  // a classic-bar model unless a test asks for a notched one
  double width = 375, height = 667, scale = 2;
  std::optional<platform::PlistDict> settings;  // written before the library loads
  platform::SpringBoardOptions springBoard;
  bool launch = true;
};

class Phone {
 public:
  explicit Phone(PhoneOptions options = {})
      : device(deviceOptions(options)), springBoard(platform::spawnSpringBoard(device, options.springBoard)) {
    if (options.settings) writeSettings(*options.settings);
    lib = &tarvo::Tarvo12::load(springBoard);
    if (options.launch) launch();
  }

  void launch() {
    platform::startSpringBoard(springBoard);
    device.drain();
  }

  void writeSettings(const platform::PlistDict& dict, platform::PlistFormat format = platform::PlistFormat::Xml) {
    platform::writePlistDictionary(springBoard.resolvePath(tarvo::kPreferencesPath), dict, format);
  }
  void postSettingsChanged() {
    auto* center = platform::CFNotificationCenterGetDistributedCenter(springBoard);
    platform::CFNotificationCenterPostNotification(center, "velkarin.tarvo12/prefsChanged", nullptr, nullptr, true);
    device.drain();
  }
  void press(bool up = true) {
    platform::pressVolumeButton(springBoard, up);
    device.drain();
  }
  void advance(double seconds) { device.advance(seconds); }
  double now() const { return platform::nanosToSeconds(device.now()); }

  // Trace events of a kind (optionally with a field equal to a value), in order.
  std::vector<platform::TraceEvent> events(std::string_view kind) const {
    std::vector<platform::TraceEvent> out;
    for (const auto& e : device.trace().events())
      if (e.kind == kind) out.push_back(e);
    return out;
  }
  std::size_t count(std::string_view kind, std::string_view field = {}, const platform::PlistValue& value = {}) const {
    auto all = events(kind);
    if (field.empty()) return all.size();
    return static_cast<std::size_t>(std::count_if(all.begin(), all.end(), [&](const platform::TraceEvent& e) {
      const platform::PlistValue* v = e.fields.find(field);
      return v && *v == value;
    }));
  }

  tarvo::Tarvo12& tarvo() { return *lib; }

  platform::Device device;
  platform::Process& springBoard;
  tarvo::Tarvo12* lib = nullptr;

 private:
  static platform::DeviceOptions deviceOptions(const PhoneOptions& o) {
    platform::DeviceOptions d;
    d.model = o.model;
    d.screenWidth = o.width;
    d.screenHeight = o.height;
    d.scale = o.scale;
    return d;
  }
};

}  // namespace testing_support
