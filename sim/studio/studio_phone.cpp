#include "sim/studio/studio_phone.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "platform/foundation/plist_file.h"
#include "platform/springboard/host.h"
#include "platform/uikit/hit_testing.h"
#include "settings/preferences.h"
#include "sim/scenario/literals.h"
#include "sim/scenario/parse_scenario.h"
#include "sim/scenario/plist_literal.h"
#include "sim/phone/settings_pane.h"

namespace sim::studio {

namespace {

constexpr auto kApps = std::to_array<StudioApp>({
    {"com.example.music", "Music", "split", "#FFFFFF"},
    {"com.example.notes", "Notes", "classic", "#000000"},
    {"com.example.camera", "Camera", "none", ""},
});

constexpr auto kOrientationNames =
    std::to_array<std::string_view>({"portrait", "portrait-upside-down", "landscape-right", "landscape-left"});

}  // namespace

std::span<const StudioApp> studioApps() { return kApps; }

const StudioApp* studioAppNamed(std::string_view bundle) {
  for (const auto& app : kApps)
    if (app.bundle == bundle) return &app;
  return nullptr;
}

std::string StudioPhone::bootScenario(const DeviceModel& model, const std::optional<platform::PlistDict>& settings) {
  std::ostringstream s;
  s << "# Played in tarvo12-sim studio.\n";
  s << "device " << model.identifier << "\n";
  if (settings) s << "settings replace " << formatPlistLiteral(*settings) << " no-post\n";
  s << "launch\n";
  for (const auto& app : kApps) {
    s << "app start " << app.bundle << " name " << app.name << " bar " << app.bar;
    if (app.bar == "split") s << " style 1";
    if (!app.colour.empty()) s << " color " << app.colour;
    s << "\n";
  }
  s << "app front " << kApps.front().bundle << "\n";
  return s.str();
}

StudioPhone::StudioPhone(const DeviceModel& model, const std::optional<platform::PlistDict>& settings)
    : boot_(bootScenario(model, settings)), scenario_(parseScenario(boot_, "studio")) {
  RunOptions options;
  options.model = &model;
  options.keptTraceEvents = kWholeTrace;  // the session shows the boot's events, then keeps the latest
  runner_ = std::make_unique<Runner>(scenario_, std::move(options));
  runner_->run();
  state_.model = std::string(model.identifier);
  state_.front = std::string(kApps.front().bundle);
  for (const auto& app : kApps)
    if (!app.colour.empty()) state_.barColours[std::string(app.bundle)] = std::string(app.colour);
}

void StudioPhone::runUntil(platform::Nanos t) {
  if (t > phone().device().now()) phone().device().runUntil(t);
}

void StudioPhone::log(std::string line) { played_.emplace_back(phone().device().now(), std::move(line)); }

void StudioPhone::press(bool up) {
  platform::pressVolumeButton(phone().springBoard(), up);
  log(up ? "press up" : "press down");
}

void StudioPhone::setRingerSwitch(bool silent) {
  platform::setRingerSwitch(phone().springBoard(), silent);
  state_.silent = silent;
  log(silent ? "ringer-switch silent" : "ringer-switch ring");
}

void StudioPhone::setButtonsChangeRinger(bool ringer) {
  platform::setButtonsChangeRinger(phone().springBoard(), ringer);
  state_.buttonsChangeRinger = ringer;
  log(ringer ? "buttons ringer" : "buttons media");
}

void StudioPhone::rotate(int orientation) {
  platform::rotateInterface(phone().springBoard(), orientation);
  state_.orientation = orientation;
  log("rotate " + std::string(kOrientationNames.at(static_cast<std::size_t>(orientation - 1))));
}

void StudioPhone::bringToFront(const std::string& bundle) {
  if (bundle.empty()) {
    phone().goHome();
    log("home");
  } else {
    phone().bringToFront(bundle);
    log("app front " + bundle);
  }
  state_.front = bundle;
}

void StudioPhone::setBarColour(const std::string& colour) {
  if (state_.front.empty()) return;
  auto parsed = parseColourLiteral(colour);
  if (!parsed.value) return;
  phone().setAppBarColour(state_.front, parsed.value);
  state_.barColours[state_.front] = colour;
  log("app color " + state_.front + " " + colour);
}

void StudioPhone::showContent(const std::string& name) {
  ContentChoice choice;
  choice.name = name;
  if (state_.front.empty()) {
    phone().setWallpaper(choice);
    log("wallpaper " + name);
  } else {
    phone().setAppContent(state_.front, choice);
    log("app content " + state_.front + " " + name);
  }
  state_.contents[state_.front] = name;
}

bool StudioPhone::tap(double x, double y) {
  auto& device = phone().device();
  if (!std::isfinite(x) || !std::isfinite(y) || x < 0 || y < 0 || x > device.screenWidth() ||
      y > device.screenHeight())
    return false;
  // Hundredths of a point, so that the scenario line taps exactly where the studio did.
  x = std::round(x * 100) / 100;
  y = std::round(y * 100) / 100;
  platform::simulateTap(device, platform::CGPoint{x, y});
  char line[64];
  std::snprintf(line, sizeof line, "tap %.2f %.2f", x, y);
  log(line);
  return true;
}

std::optional<platform::PlistDict> StudioPhone::settings() {
  return platform::readPlistDictionary(phone().springBoard().resolvePath(tarvo::kPreferencesPath));
}

std::string StudioPhone::settingsFileBytes() {
  return platform::serializePlist(settings().value_or(platform::PlistDict{}), platform::PlistFormat::Xml);
}

void StudioPhone::setSetting(const std::string& key, const platform::PlistValue& value) {
  auto contents = settings().value_or(platform::PlistDict{});
  contents.set(key, value);
  replaceSettings(contents);
}

void StudioPhone::resetSetting(const std::string& key) {
  auto contents = settings().value_or(platform::PlistDict{});
  contents.erase(key);
  replaceSettings(contents);
}

void StudioPhone::replaceSettings(const platform::PlistDict& contents) {
  SettingsPane pane(phone().springBoard(), phone().preferences());
  ReplaceSettings command;
  command.contents = contents;
  pane.replace(command);
  log("settings replace " + formatPlistLiteral(contents));
}

std::string StudioPhone::scenarioText() {
  std::string text = boot_;
  for (const auto& [time, line] : played_) text += "at " + formatSeconds(time) + " " + line + "\n";
  text += "at " + formatSeconds(phone().device().now()) + " capture studio\n";
  return text;
}

}  // namespace sim::studio
