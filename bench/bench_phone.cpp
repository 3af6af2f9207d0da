#include "bench/bench_phone.h"

#include <stdexcept>

#include "hud/hud_caches.h"
#include "hud/tarvo12.h"
#include "platform/foundation/plist_file.h"
#include "platform/springboard/host.h"
#include "settings/preferences.h"
#include "sim/scenario/device_models.h"
#include "sim/phone/sim_phone.h"

namespace bench {

namespace {
constexpr const char* kFrontApp = "com.example.notes";
}

platform::PlistDict pressSettings(bool dynamicColors, bool blur) {
  platform::PlistDict s;
  s.set("minColor", "#7942D8:1.000000");
  s.set("maxColor", "#FFFFFF:0.400000");
  s.set("indicatorColor", "#F0F0F0:1.000000");
  s.set("overlayColor", "#1E212B:0.900000");
  s.set("mediaIndicator", true);
  s.set("ringerIndicator", true);
  s.set("volumePercentage", true);
  s.set("dynamicColors", dynamicColors);
  if (blur) s.set("blurBackground", true);
  return s;
}

BenchPhone::BenchPhone(BenchPhoneOptions options) : options_(options) {
  // 375 x 812 at scale 3, a notched model.
  phone_ = std::make_unique<sim::SimPhone>(*sim::deviceModelNamed("iPhone10,3"), sim::DeviceSetup{});
  // Keep the trace from growing over millions of presses; every event is still recorded.
  device().trace().setRetention(64);
  platform::Process& shell = phone_->springBoard();
  platform::writePlistDictionary(shell.resolvePath(tarvo::kPreferencesPath), pressSettings(options.dynamicColors, options.blur),
                                 platform::PlistFormat::Binary);
  tarvo::HudCaches::of(shell).setEnabled(!options.literal);
  // The app in front has a split bar and Tarvo12 injected, whose status bar hook files the bar's colour in
  // the shell's colour cache: dynamic colours then come from that cache on every show.
  sim::StartApp app;
  app.bundle = kFrontApp;
  app.name = "Notes";
  app.bar = sim::BarKind::Split;
  app.colour = sim::Colour{"#3366CC", 0.2, 0.4, 0.8, 1};
  app.loadsTarvo12 = true;
  app.content.name = options.content;
  phone_->startApp(app);
  if (options.launch) loadAndLaunch();
}

BenchPhone::~BenchPhone() = default;

platform::Device& BenchPhone::device() { return phone_->device(); }

tarvo::Tarvo12* BenchPhone::tarvo() const { return phone_->tarvo(); }

void BenchPhone::loadAndLaunch() {
  phone_->launch();
  phone_->bringToFront(kFrontApp);
  // The app's bar takes a colour while the shell runs; the hook reports it and the shell files it.
  if (options_.dynamicColors) phone_->setAppBarColour(kFrontApp, sim::Colour{"#3366CC", 0.2, 0.4, 0.8, 1});
  device().drain();
  // A dynamic-colour press is only measured right when the app's colour is in the cache.
  if (options_.dynamicColors && !(tarvo() && tarvo()->statusColors.find(kFrontApp)))
    throw std::logic_error("the front app's bar colour did not reach the colour cache");
}

void BenchPhone::press(double settle) {
  platform::pressVolumeButton(phone_->springBoard(), up_);
  up_ = !up_;
  device().advance(settle);
}

}  // namespace bench
