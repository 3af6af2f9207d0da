#include "soak/soak_driver.h"

#include <cmath>
#include <fstream>
#include <limits>

#include "hooks/protocol.h"
#include "hooks/tarvo12.h"
#include "hud/hud_caches.h"
#include "platform/foundation/distributed_center.h"
#include "platform/foundation/plist_file.h"
#include "platform/runtime/message.h"
#include "platform/springboard/host.h"
#include "platform/uikit/application.h"
#include "platform/uikit/hit_testing.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"
#include "settings/preferences.h"
#include "settings/settings.h"

namespace soak {

namespace {

namespace protocol = tarvo::protocol;

constexpr const char* kApps[] = {"com.example.notes", "com.example.music", "com.example.maps"};

// Longer than any duration the random settings can hold, and than the hide timer with them.
constexpr double kSettleSeconds = 20;

}  // namespace

long residentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4;
}

SoakDriver::SoakDriver(SoakOptions options) : options_(options), random_(options.seed) {
  device_.trace().setRetention(1000);
  springBoard_ = &platform::spawnSpringBoard(device_);
  preferences_ = &device_.spawn("Preferences", std::string("com.apple.Preferences"));
  for (const char* bundle : kApps) {
    platform::Process& app = device_.spawn(bundle, std::string(bundle));
    platform::loadUIKit(app);
    platform::UIApplicationMain(app);
    apps_.push_back(&app);
  }
  tarvo_ = &tarvo::Tarvo12::load(*springBoard_);
  platform::startSpringBoard(*springBoard_);
  // The shell makes an SBApplication the first time it is asked about an app in front, and keeps it: asking
  // about each app now means every object of the run exists before the first count.
  for (const char* bundle : kApps) {
    platform::setFrontApplication(*springBoard_, std::string(bundle));
    rt::send<rt::Id()>(springBoard_->application(), "_accessibilityFrontMostApplication");
  }
  device_.drain();
}

SoakDriver::~SoakDriver() = default;

void SoakDriver::play(std::uint64_t count) {
  for (std::uint64_t i = 0; i < count; ++i) playOne();
}

void SoakDriver::playOne() {
  ++played_;
  platform::Process& shell = *springBoard_;
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
    platform::simulateTap(device_, point);
  } else if (kind < 61) {
    reloadSettings();
  } else if (kind < 64) {
    const int front = below(4);
    platform::setFrontApplication(shell, front == 3 ? std::optional<std::string>{} : std::string(kApps[front]));
  } else if (kind < 72) {
    postColour(false);
  } else if (kind < 82) {
    postColour(true);
  } else {
    // Time passes: within a show, past the hide, or just a moment.
    const double pick = chance();
    device_.advance(pick < 0.6 ? chance() * 0.3 : pick < 0.9 ? chance() * 2 : chance() * 4);
    return;
  }
  device_.drain();
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
        if (entry.key.starts_with("slider") || entry.key.starts_with("padding")) value *= 40;
        settings.set(std::string(entry.key), value);
        break;
      }
    }
  }
  for (const char* key : {"minColor", "maxColor", "indicatorColor", "overlayColor"}) {
    if (chance() < 0.5) continue;
    char colour[32];
    std::snprintf(colour, sizeof colour, "#%06X:%.2f", below(0x1000000), chance());
    settings.set(key, chance() < 0.9 ? std::string(colour) : std::string("not a colour"));
  }
  platform::writePlistDictionary(springBoard_->resolvePath(tarvo::kPreferencesPath), settings,
                                 chance() < 0.5 ? platform::PlistFormat::Binary : platform::PlistFormat::Xml);
  platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(*preferences_),
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
  platform::Process& from = *apps_[static_cast<std::size_t>(below(static_cast<int>(apps_.size())))];
  platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(from),
                                                 store ? protocol::kStoreColors : protocol::kGetStatusBarProperties,
                                                 nullptr, &info, true);
}

SoakCensus SoakDriver::settleAndCount() {
  device_.advance(kSettleSeconds);
  SoakCensus census;
  for (const auto& process : device_.processes()) {
    census.liveObjects += process->runtime().liveObjects();
    census.pendingTasks += process->runLoop().pending();
  }
  census.statusColors = tarvo_->statusColors.size();
  census.cachedImages = tarvo::HudCaches::of(*springBoard_).entries();
  census.traceEvents = device_.trace().events().size();
  for (auto name : {protocol::kPrefsChanged, protocol::kToggleTimeX, protocol::kModifyStatusBar,
                    protocol::kRequestStatusBarProperties, protocol::kGetStatusBarProperties, protocol::kStoreColors})
    census.observers += device_.bus().observerCount(name);
  census.residentKilobytes = residentKilobytes();
  return census;
}

}  // namespace soak
