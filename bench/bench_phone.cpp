#include "bench/bench_phone.h"

#include "hooks/protocol.h"
#include "hooks/tarvo12.h"
#include "hud/hud_caches.h"
#include "platform/foundation/distributed_center.h"
#include "platform/foundation/plist_file.h"
#include "platform/springboard/host.h"
#include "platform/uikit/application.h"
#include "platform/uikit/uikit_classes.h"
#include "settings/preferences.h"

namespace bench {

namespace {
constexpr const char* kFrontApp = "com.example.notes";
}

platform::PlistDict pressSettings(bool dynamicColors) {
  platform::PlistDict s;
  s.set("minColor", "#7942D8:1.000000");
  s.set("maxColor", "#FFFFFF:0.400000");
  s.set("indicatorColor", "#F0F0F0:1.000000");
  s.set("overlayColor", "#1E212B:0.900000");
  s.set("mediaIndicator", true);
  s.set("ringerIndicator", true);
  s.set("volumePercentage", true);
  s.set("dynamicColors", dynamicColors);
  return s;
}

BenchPhone::BenchPhone(BenchPhoneOptions options) : options_(options) {
  platform::DeviceOptions d;  // 375 x 812 at scale 3, a notched model
  device_ = std::make_unique<platform::Device>(d);
  // Keep the trace from growing over millions of presses; recording still happens.
  device_->trace().setRetention(64);
  springBoard_ = &platform::spawnSpringBoard(*device_);
  platform::writePlistDictionary(springBoard_->resolvePath(tarvo::kPreferencesPath), pressSettings(options.dynamicColors),
                                 platform::PlistFormat::Binary);
  // An app in front, as in the usual press.
  platform::Process& app = device_->spawn("Notes", std::string(kFrontApp));
  platform::loadUIKit(app);
  platform::UIApplicationMain(app);
  tarvo::HudCaches::of(*springBoard_).setEnabled(!options.literal);
  if (options.launch) loadAndLaunch();
}

BenchPhone::~BenchPhone() = default;

void BenchPhone::loadAndLaunch() {
  tarvo_ = &tarvo::Tarvo12::load(*springBoard_);
  platform::startSpringBoard(*springBoard_);
  platform::setFrontApplication(*springBoard_, std::string(kFrontApp));
  device_->drain();
  if (options_.dynamicColors) {
    // The app's status bar colour has been reported once, so every show finds it in the cache.
    platform::PlistDict info;
    info.set(std::string(tarvo::protocol::kBundle), kFrontApp);
    info.set(std::string(tarvo::protocol::kHue), 0.6f);
    info.set(std::string(tarvo::protocol::kSaturation), 0.5f);
    info.set(std::string(tarvo::protocol::kBrightness), 0.9f);
    info.set(std::string(tarvo::protocol::kAlpha), 1.0f);
    platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(*springBoard_),
                                                   tarvo::protocol::kStoreColors, nullptr, &info, true);
    device_->drain();
  }
}

void BenchPhone::press(double settle) {
  platform::pressVolumeButton(*springBoard_, up_);
  up_ = !up_;
  device_->advance(settle);
}

}  // namespace bench
