#include "soak/soak_driver.h"

#include <cmath>
#include <limits>

#include "hud/hud_caches.h"
#include "hud/tarvo12.h"
#include "platform/device/distributed_center.h"
#include "platform/foundation/plist_file.h"
#include "platform/foundation/resident_memory.h"
#include "platform/runtime/message.h"
#include "platform/springboard/host.h"
#include "platform/uikit/hit_testing.h"
#include "platform/uikit/window.h"
#include "settings/preferences.h"
#include "settings/settings.h"
#include "shared/protocol.h"
#include "sim/scenario/device_models.h"
#include "sim/phone/sim_phone.h"

namespace soak {

namespace {

namespace protocol = tarvo::protocol;

constexpr const char* kApps[] = {"com.example.notes", "com.example.music", "com.example.maps"};

// Longer than any duration the random settings can hold, and than the hide timer with them.
constexpr double kSettleSeconds = 20;

}  // namespace

SoakDriver::SoakDriver(SoakOptions options) : options_(options), random_(options.seed) {
  phone_ = std::make_unique<sim::SimPhone>(*sim::deviceModelNamed("iPhone10,3"), sim::DeviceSetup{});
  device().trace().setRetention(1000);
  phone_->launch();
  tarvo_ = phone_->tarvo();
  // Three apps with the agent: a classic bar, a split bar, and a split bar whose process has Tarvo12 too, so
  // that its colour changes are stored through the status bar hook.
  for (std::size_t i = 0; i < std::size(kApps); ++i) {
    sim::StartApp app;
    app.bundle = kApps[i];
    app.bar = i == 0 ? sim::BarKind::Classic : sim::BarKind::Split;
    app.colour = sim::Colour{"", 0.2, 0.4, 0.6, 1};
    app.style = static_cast<std::int64_t>(i % 2);
    if (i == 2) app.loadsTarvo12 = true;
    phone_->startApp(app);
  }
  // The shell makes an SBApplication the first time it is asked about an app in front, and keeps it: asking
  // about each app now means every object of the run exists before the first count.
  for (const char* bundle : kApps) {
    phone_->bringToFront(bundle);
    rt::send<rt::Id()>(phone_->springBoard().application(), "_accessibilityFrontMostApplication");
  }
  device().drain();
}

SoakDriver::~SoakDriver() = default;

platform::Device& SoakDriver::device() { return phone_->device(); }

void SoakDriver::play(std::uint64_t count) {
  for (std::uint64_t i = 0; i < count; ++i) playOne();
}

void SoakDriver::playOne() {
  ++played_;
  platform::Process& shell = phone_->springBoard();
  const int kind = below(100);
  if (kind < 35) {
    platform::pressVolumeButton(shell, chance() < 0.5);
  } else if (kind < 38) {
    platform::setButtonsChangeRinger(shell, chance() < 0.5);  // the buttons move the ringer or the media
  } else if (kind < 43) {
    platform::setRingerSwitch(shell, chance() < 0.5);
  } else if (kind < 48) {
    platform::rotateInterface(shell, below(6) - 1);
  } else if (kind < 58) {
    // On the HUD, whatever state it is in, or anywhere on the screen.
    platform::CGPoint point{chance() * 375, chance() * 812};
    if (chance() < 0.7 && tarvo_->views.tarvoHUDWindow) point = tarvo_->views.tarvoHUDWindow->center();
    platform::simulateTap(device(), point);
  } else if (kind < 61) {
    reloadSettings();
  } else if (kind < 63) {
    const int front = below(4);
    if (front == 3) phone_->goHome();
    else phone_->bringToFront(kApps[front]);
  } else if (kind < 65) {
    // An app's bar changes colour (nil now and then); the app with Tarvo12 reports it to the shell.
    const char* bundle = kApps[below(3)];
    if (chance() < 0.1) phone_->setAppBarColour(bundle, std::nullopt);
    else phone_->setAppBarColour(bundle, sim::Colour{"", chance(), chance(), chance(), chance()});
  } else if (kind < 72) {
    postColour(false);
  } else if (kind < 82) {
    postColour(true);
  } else {
    // Time passes: within a show, past the hide, or just a moment.
    const double pick = chance();
    device().advance(pick < 0.6 ? chance() * 0.3 : pick < 0.9 ? chance() * 2 : chance() * 4);
    return;
  }
  device().drain();
}

double SoakDriver::randomReal() {
  const double pick = chance();
  if (pick < 0.02) return std::numeric_limits<double>::quiet_NaN();
  if (pick < 0.04) return -chance() * 100;
  if (pick < 0.06) return 0;
  return chance() * 3;  // seconds, or small lengths
}

void SoakDriver::reloadSettings() {
  platform::PlistDict settings;
  for (const auto& entry : tarvo::kSettingsTable) {
    if (chance() < 0.3) continue;  // absent: the default
    switch (entry.kind) {
      case tarvo::SettingKind::Switch: settings.set(std::string(entry.key), chance() < 0.5); break;
      case tarvo::SettingKind::Integer: settings.set(std::string(entry.key), below(5) - 1); break;
      case tarvo::SettingKind::Real: {
        double value = randomReal();
        // Lengths get a size a layout can use; durations stay in seconds.
        if (entry.range.unit != tarvo::kDuration.unit) value *= 40;
        settings.set(std::string(entry.key), value);
        break;
      }
    }
  }
  for (const auto& setting : tarvo::kColorSettings) {
    const std::string key(setting.key);
    if (chance() < 0.5) continue;
    char colour[32];
    std::snprintf(colour, sizeof colour, "#%06X:%.2f", below(0x1000000), chance());
    settings.set(key, chance() < 0.9 ? std::string(colour) : std::string("not a colour"));
  }
  // As the settings pane does: the file, then the notification from the pane's own process.
  platform::writePlistDictionary(phone_->springBoard().resolvePath(tarvo::kPreferencesPath), settings,
                                 chance() < 0.5 ? platform::PlistFormat::Binary : platform::PlistFormat::Xml);
  platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(phone_->preferences()),
                                                 tarvo::kPreferencesChangedNotification, nullptr, nullptr, true);
}

void SoakDriver::postColour(bool store) {
  char bundle[32];
  std::snprintf(bundle, sizeof bundle, "com.soak.app%05d", below(options_.bundles));
  platform::PlistDict info;
  info.set(std::string(protocol::kBundle), std::string(bundle));
  auto component = [&] {
    const double pick = chance();
    if (pick < 0.01) return std::numeric_limits<float>::quiet_NaN();
    if (pick < 0.02) return std::numeric_limits<float>::infinity();
    return static_cast<float>(chance());
  };
  info.set(std::string(protocol::kHue), component());
  info.set(std::string(protocol::kSaturation), component());
  info.set(std::string(protocol::kBrightness), component());
  if (chance() < 0.95) info.set(std::string(protocol::kAlpha), component());
  platform::Process& from = *phone_->app(kApps[below(3)]);
  platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(from),
                                                 store ? protocol::kStoreColors : protocol::kGetStatusBarProperties,
                                                 nullptr, &info, true);
}

SoakCensus SoakDriver::settleAndCount() {
  device().advance(kSettleSeconds);
  SoakCensus census;
  for (const auto& process : device().processes()) {
    census.liveObjects += process->runtime().liveObjects();
    census.pendingTasks += process->runLoop().pending();
  }
  census.statusColors = tarvo_->statusColors.size();
  census.cachedImages = tarvo::HudCaches::of(phone_->springBoard()).entries();
  census.traceEvents = device().trace().events().size();
  for (auto name : {protocol::kPrefsChanged, protocol::kToggleTimeX, protocol::kModifyStatusBar,
                    protocol::kRequestStatusBarProperties, protocol::kGetStatusBarProperties, protocol::kStoreColors})
    census.observers += device().bus().observerCount(name);
  census.residentKilobytes = static_cast<long>(platform::residentBytes() / 1024);
  return census;
}

}  // namespace soak
