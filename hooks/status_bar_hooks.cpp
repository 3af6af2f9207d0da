#include "hooks/hooks.h"
#include "hud/tarvo12.h"
#include "platform/device/distributed_center.h"
#include "platform/uikit/status_bar_server.h"
#include "shared/protocol.h"

namespace tarvo {

namespace {

void addForceUpdate(Tarvo12& lib) {
  rt::class_addMethod<void()>(rt::objc_getClass(lib.process.runtime(), "SBStatusBarStateAggregator"),
                              "forceUpdate", [](const rt::Id& self) {
                                // Every item refreshed, then every item announced: no interleaving.
                                for (int item = 0; item < platform::status_bar_item::kItemCount; ++item)
                                  rt::send<void(int)>(self, "updateStatusBarItem:", item);
                                for (int item = 0; item < platform::status_bar_item::kItemCount; ++item)
                                  rt::send<void(int)>(self, "_notifyItemChanged:", item);
                              });
}

void hookOperatorName(Tarvo12& lib) {
  rt::MSHookMessageEx<std::optional<std::string>()>(
      rt::objc_getClass(lib.process.runtime(), "SBTelephonySubscriptionInfo"), "operatorName",
      [&lib](const rt::Id& self) -> std::optional<std::string> {
        if (lib.lifecycle.hidingStatusBarItems && lib.settings.SBHIDETIMEX) return std::nullopt;
        return callPrevious(lib.previous.operatorName, self);
      },
      &lib.previous.operatorName);
}

void hookForceSplit(Tarvo12& lib) {
  rt::MSHookMessageEx<void(bool)>(
      rt::object_getClass(rt::objc_getClass(lib.process.runtime(), "_UIStatusBar")), "setForceSplit:",
      [&lib](const rt::Id& self, bool flag) {
        if (flag) lib.isForceSplit = true;
        callPrevious(lib.previous.setForceSplit, self, flag);
      },
      &lib.previous.setForceSplit);
}

// Every foreground colour set on a split bar in this process is reported for the colour cache.
void hookForegroundColor(Tarvo12& lib) {
  rt::MSHookMessageEx<void(std::optional<platform::UIColor>)>(
      rt::objc_getClass(lib.process.runtime(), "_UIStatusBar"), "setForegroundColor:",
      [&lib](const rt::Id& self, std::optional<platform::UIColor> color) {
        callPrevious(lib.previous.setForegroundColor, self, color);
        if (!color) return;
        double hue = 0, saturation = 0, brightness = 0, alpha = 0;
        color->getHue(&hue, &saturation, &brightness, &alpha);
        platform::PlistDict info;
        // A process without an identifier sends no "bundle", so the report is dropped by the receiver.
        if (const auto& bundle = lib.process.bundleIdentifier()) info.set(std::string(protocol::kBundle), *bundle);
        info.set(std::string(protocol::kHue), static_cast<float>(hue));
        info.set(std::string(protocol::kSaturation), static_cast<float>(saturation));
        info.set(std::string(protocol::kBrightness), static_cast<float>(brightness));
        info.set(std::string(protocol::kAlpha), static_cast<float>(alpha));
        platform::CFNotificationCenterPostNotification(
            platform::CFNotificationCenterGetDistributedCenter(lib.process), protocol::kStoreColors, nullptr,
            &info, true);
      },
      &lib.previous.setForegroundColor);
}

void hookModernBar(Tarvo12& lib) {
  rt::MSHookMessageEx<bool()>(
      rt::objc_getClass(lib.process.runtime(), "UIStatusBar_Base"), "_usesModernBar",
      [&lib](const rt::Id& self) {
        bool modern = callPrevious(lib.previous.usesModernBar, self);
        if (modern) lib.isForceSplit = true;
        return modern;
      },
      &lib.previous.usesModernBar);
}

}  // namespace

void installStatusBarHooks(Tarvo12& lib) {
  addForceUpdate(lib);
  hookOperatorName(lib);
  hookForceSplit(lib);
  hookForegroundColor(lib);
  hookModernBar(lib);
}

}  // namespace tarvo
