#include "hooks/tarvo12.h"

#include "controls/image_utilities.h"
#include "controls/slider_extended.h"
#include "hooks/hooks.h"
#include "hooks/protocol.h"
#include "hud/colors.h"
#include "hud/tarvo_hud.h"
#include "platform/foundation/distributed_center.h"
#include "platform/foundation/foundation_classes.h"
#include "platform/runtime/message.h"
#include "platform/uikit/uikit_classes.h"

namespace tarvo {

Tarvo12& Tarvo12::load(platform::Process& process) {
  if (Tarvo12* loaded = process.findLibrary<Tarvo12>()) return *loaded;
  return process.load(std::make_shared<Tarvo12>(process));
}

Tarvo12::Tarvo12(platform::Process& proc) : process(proc), preferences(proc) {
  // The library links UIKit, and its own classes exist as soon as it is in the process, before any
  // initialiser runs.
  platform::loadUIKit(process);
  registerTarvoHUDClass(process.runtime(), *this);
  registerSliderExtendedClass(process.runtime(), settings);
  registerImageCategories(process);
  // The library constructor: settings first, then the three subscriptions, then the hooks.
  preferences.refreshPrefs(settings);
  subscribe();
  installHooks();
  // The settings' own load-time initialisation runs after the constructor.
  preferences.applyStaticInitialisation(settings);
  statusColors = StatusColorCache();
  images.sliderMinMaxValImageSize = {14, 14};
}

Tarvo12::~Tarvo12() = default;

void Tarvo12::subscribe() {
  using namespace platform;
  CFNotificationCenterRef center = CFNotificationCenterGetDistributedCenter(process);
  CFNotificationCenterAddObserver(center, nullptr, makeSettingsChangedCallback(preferences, settings),
                                  protocol::kPrefsChanged, nullptr, protocol::kSuspensionPrefs);
  CFNotificationCenterAddObserver(
      center, nullptr,
      [this](CFNotificationCenterRef, void*, std::string_view, const void*, const PlistDict* userInfo) {
        statusBarColorReceived(*this, userInfo);
      },
      protocol::kGetStatusBarProperties, nullptr, protocol::kSuspensionDeliverImmediately);
  CFNotificationCenterAddObserver(
      center, nullptr,
      [this](CFNotificationCenterRef, void*, std::string_view, const void*, const PlistDict* userInfo) {
        statusColorStoreReceived(*this, userInfo);
      },
      protocol::kStoreColors, nullptr, protocol::kSuspensionDeliverImmediately);
}

void Tarvo12::installHooks() {
  installSpringBoardHooks(*this);
  installStatusBarHooks(*this);
  installHUDControllerHooks(*this);
}

void Tarvo12::createController() {
  auto& cls = process.runtime().requireClass("TarvoHUD");
  tarvoHUD = rt::cast<TarvoHUD>(platform::allocInit(cls));
  rt::send<void()>(tarvoHUD, "createTarvoHUD");
}

}  // namespace tarvo
