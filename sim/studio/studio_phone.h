#pragma once
// The studio's simulated phone: booted by playing a short scenario, then driven by what a person does in
// the page. Every action and settings write is kept with its device time, so the session can be written
// out as a scenario that `tarvo12-sim run` replays to the same frames. Not thread-safe: one thread owns it.
#include <map>
#include <memory>
#include <span>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/foundation/plist_value.h"
#include "sim/play/runner.h"
#include "sim/scenario/scenario.h"

namespace sim::studio {

// An app the studio starts at boot; they differ in their status bars.
struct StudioApp {
  std::string_view bundle;
  std::string_view name;
  std::string_view bar;  // "split", "classic" or "none"
  std::string_view colour;
};
std::span<const StudioApp> studioApps();
const StudioApp* studioAppNamed(std::string_view bundle);

// What the page shows of the phone beyond its screen.
struct PhoneState {
  std::string model;
  int orientation = 1;  // UIInterfaceOrientation
  bool silent = false;
  bool buttonsChangeRinger = false;
  std::string front;  // bundle identifier, empty on the home screen
  std::map<std::string, std::string, std::less<>> barColours;
  // The built-in picture behind the HUD, by app ("" for the home screen's wallpaper); plain when absent.
  std::map<std::string, std::string, std::less<>> contents;
};

class StudioPhone {
 public:
  // `settings` is the contents of the settings file to boot with (nothing: no file).
  StudioPhone(const DeviceModel& model, const std::optional<platform::PlistDict>& settings);

  SimPhone& phone() { return runner_->phone(); }
  const PhoneState& state() const { return state_; }
  const DeviceModel& model() const { return runner_->phone().model(); }

  // Moves the phone's clock to `t` (never backwards), running everything due by then.
  void runUntil(platform::Nanos t);

  void press(bool up);
  void setRingerSwitch(bool silent);
  void setButtonsChangeRinger(bool ringer);
  void rotate(int orientation);
  void bringToFront(const std::string& bundle);  // empty: home
  void setBarColour(const std::string& colour);  // of the app in front
  // A built-in picture (by name) in the app in front, or as the wallpaper on the home screen.
  void showContent(const std::string& name);
  // A tap at a point of the portrait screen, in points. False when the point is off the screen.
  bool tap(double x, double y);

  // The settings file as the phone holds it (nothing when absent or unreadable).
  std::optional<platform::PlistDict> settings();
  std::string settingsFileBytes();
  // The pane's writes: the whole file, then the settings-changed notification.
  void setSetting(const std::string& key, const platform::PlistValue& value);
  void resetSetting(const std::string& key);
  void replaceSettings(const platform::PlistDict& contents);

  // Everything done since boot, as a scenario that ends with a capture of the screen as it is now.
  std::string scenarioText();

 private:
  void log(std::string line);
  static std::string bootScenario(const DeviceModel& model, const std::optional<platform::PlistDict>& settings);

  std::string boot_;
  Scenario scenario_;
  std::unique_ptr<Runner> runner_;
  PhoneState state_;
  std::vector<std::pair<platform::Nanos, std::string>> played_;
};

}  // namespace sim::studio
