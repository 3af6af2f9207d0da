#include "hooks/load.h"

#include "controls/slider_extended.h"
#include "hooks/hooks.h"
#include "hud/colors.h"
#include "hud/tarvo_hud.h"
#include "platform/device/distributed_center.h"
#include "platform/uikit/uikit_classes.h"
#include "shared/protocol.h"

namespace tarvo {

namespace {

void subscribe(Tarvo12& lib) {
  using namespace platform;
  CFNotificationCenterRef center = CFNotificationCenterGetDistributedCenter(lib.process);
  CFNotificationCenterAddObserver(center, nullptr, makeSettingsChangedCallback(lib.preferences, lib.settings),
                                  protocol::kPrefsChanged, nullptr, protocol::kSuspensionPrefs);
  CFNotificationCenterAddObserver(
      center, nullptr,
      [&lib](CFNotificationCenterRef, void*, std::string_view, const void*, const PlistDict* userInfo) {
        statusBarColorReceived(lib, userInfo);
      },
      protocol::kGetStatusBarProperties, nullptr, protocol::kSuspensionDeliverImmediately);
  CFNotificationCenterAddObserver(
      center, nullptr,
      [&lib](CFNotificationCenterRef, void*, std::string_view, const void*, const PlistDict* userInfo) {
        statusColorStoreReceived(lib, userInfo);
      },
      protocol::kStoreColors, nullptr, protocol::kSuspensionDeliverImmediately);
}

}  // namespace

Tarvo12& loadTarvo12(platform::Process& process) {
  if (Tarvo12* loaded = process.findLibrary<Tarvo12>()) return *loaded;
  auto lib = std::make_shared<Tarvo12>(process);
  // The library links UIKit, and its own classes exist as soon as it is in the process, before any
  // initialiser runs.
  platform::loadUIKit(process);
  registerTarvoHUDClass(process.runtime(), *lib);
  registerSliderExtendedClass(process.runtime(), lib->settings);
  // The library constructor: settings first, then the three subscriptions, then the hooks.
  lib->preferences.refreshPrefs(lib->settings);
  subscribe(*lib);
  installSpringBoardHooks(*lib);
  installStatusBarHooks(*lib);
  installHUDControllerHooks(*lib);
  // The settings' own load-time initialisation runs after the constructor.
  lib->preferences.applyStaticInitialisation(lib->settings);
  lib->statusColors = StatusColorCache();
  lib->images.sliderMinMaxValImageSize = {14, 14};
  return process.load(std::move(lib));
}

}  // namespace tarvo
