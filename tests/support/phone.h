#pragma once
// A simulated phone for tests: the shell with Tarvo12 loaded, driven through the shell's own events.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hooks/load.h"
#include "hud/tarvo12.h"
#include "hud/tarvo_hud.h"
#include "platform/device/device.h"
#include "platform/device/distributed_center.h"
#include "platform/foundation/plist_file.h"
#include "platform/springboard/host.h"
#include "platform/uikit/hit_testing.h"
#include "settings/preferences.h"

namespace testing_support {

struct PhoneOptions {
  std::string model = "iPhone9,3";  // a classic-bar model unless a test asks for a notched one
  double width = 375, height = 667, scale = 2;
  std::optional<platform::PlistDict> settings;  // written before the library loads
  platform::SpringBoardOptions springBoard;
  bool loadLibrary = true;  // false: the shell as it is without Tarvo12
  bool launch = true;
  // Runs in the shell's process after its classes exist and before the library loads (extra classes).
  std::function<void(platform::Process&)> beforeLoad;
};

// A notched model with its screen.
inline PhoneOptions notchedPhone() {
  PhoneOptions o;
  o.model = "iPhone10,3";
  o.width = 375;
  o.height = 812;
  o.scale = 3;
  return o;
}

class Phone {
 public:
  explicit Phone(PhoneOptions options = {})
      : device(deviceOptions(options)), springBoard(platform::spawnSpringBoard(device, options.springBoard)) {
    if (options.settings) writeSettings(*options.settings);
    if (options.beforeLoad) options.beforeLoad(springBoard);
    if (options.loadLibrary) lib = &tarvo::loadTarvo12(springBoard);
    if (options.launch) launch();
  }

  void launch() {
    platform::startSpringBoard(springBoard);
    device.drain();
  }

  void writeSettings(const platform::PlistDict& dict, platform::PlistFormat format = platform::PlistFormat::Xml) {
    platform::writePlistDictionary(springBoard.resolvePath(tarvo::kPreferencesPath), dict, format);
  }
  void removeSettings() { std::filesystem::remove(springBoard.resolvePath(tarvo::kPreferencesPath)); }
  void postSettingsChanged() {
    auto* center = platform::CFNotificationCenterGetDistributedCenter(springBoard);
    platform::CFNotificationCenterPostNotification(center, "velkarin.tarvo12/prefsChanged", nullptr, nullptr, true);
    device.drain();
  }
  // What the settings pane does: write the file, then say so.
  void changeSettings(const platform::PlistDict& dict) {
    writeSettings(dict);
    postSettingsChanged();
  }

  // The hardware and the user.
  void press(bool up = true) {
    platform::pressVolumeButton(springBoard, up);
    device.drain();
  }
  void ringerSwitch(bool silent) {
    platform::setRingerSwitch(springBoard, silent);
    device.drain();
  }
  void rotate(long long orientation) {
    platform::rotateInterface(springBoard, orientation);
    device.drain();
  }
  void front(std::optional<std::string> bundle) { platform::setFrontApplication(springBoard, std::move(bundle)); }
  platform::TapResult tap(double x, double y) {
    auto result = platform::simulateTap(device, platform::CGPoint{x, y});
    device.drain();
    return result;
  }
  // A tap on the middle of the HUD window, wherever it is laid out.
  platform::TapResult tapHUD();

  void advance(double seconds) { device.advance(seconds); }
  double now() const { return platform::nanosToSeconds(device.now()); }

  // Trace events of a kind, in order.
  std::vector<platform::TraceEvent> events(std::string_view kind) const {
    std::vector<platform::TraceEvent> out;
    for (const auto& e : device.trace().events())
      if (e.kind == kind) out.push_back(e);
    return out;
  }
  // How many events of a kind (optionally with a field equal to a value).
  std::size_t count(std::string_view kind, std::string_view field = {}, const platform::PlistValue& value = {}) const {
    auto all = events(kind);
    if (field.empty()) return all.size();
    return static_cast<std::size_t>(std::count_if(all.begin(), all.end(), [&](const platform::TraceEvent& e) {
      const platform::PlistValue* v = e.fields.find(field);
      return v && *v == value;
    }));
  }
  // Notifications posted under a name, with their payloads (empty for none).
  std::vector<platform::PlistDict> posted(std::string_view name) const {
    std::vector<platform::PlistDict> out;
    for (const auto& e : events("notification.post")) {
      const auto* n = e.fields.find("name");
      if (!n || !n->asString() || *n->asString() != name) continue;
      const auto* info = e.fields.find("userInfo");
      out.push_back(info && info->asDict() ? *info->asDict() : platform::PlistDict{});
    }
    return out;
  }
  void clearTrace() { device.trace().clear(); }

  // A field of the HUD as a scenario's `expect` reads it ("tarvoHUDLabel.text", "isHiding", ...); nothing
  // when it has none. Tests that only observe the HUD read it here rather than from the library's members.
  std::optional<platform::PlistValue> hudField(std::string_view name) const;
  std::string hudText(std::string_view name) const;  // "" when absent
  double hudNumber(std::string_view name) const;     // NaN when absent
  bool hudFlag(std::string_view name) const;         // false when absent
  std::optional<platform::UIColor> hudColour(std::string_view name) const;
  platform::CGRect hudRect(std::string_view name) const;  // all NaN when absent

  tarvo::Tarvo12& tarvo() { return *lib; }
  tarvo::TarvoHUD& hud() { return *lib->tarvoHUD; }

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

// A settings dictionary written inline: settings({{"isEnabled", false}, {"alignment", 0}}).
inline platform::PlistDict settings(std::initializer_list<std::pair<const char*, platform::PlistValue>> entries) {
  platform::PlistDict dict;
  for (const auto& [key, value] : entries) dict.set(key, value);
  return dict;
}

// The last animated change of a property of a view class, as the trace records it ({view, property, from, to}).
inline std::optional<platform::PlistDict> lastChange(const Phone& phone, std::string_view view,
                                                     std::string_view property) {
  std::optional<platform::PlistDict> found;
  for (const auto& e : phone.events("animation.begin")) {
    const auto* changes = e.fields.find("changes");
    if (!changes || !changes->asArray()) continue;
    for (const auto& change : *changes->asArray()) {
      const auto* c = change.asDict();
      if (!c) continue;
      const auto* v = c->find("view");
      const auto* p = c->find("property");
      if (v && p && *v == platform::PlistValue(std::string(view)) && *p == platform::PlistValue(std::string(property)))
        found = *c;
    }
  }
  return found;
}

inline PhoneOptions withSettings(platform::PlistDict dict, PhoneOptions options = {}) {
  options.settings = std::move(dict);
  return options;
}

}  // namespace testing_support
