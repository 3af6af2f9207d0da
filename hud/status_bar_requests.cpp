#include "hud/status_bar_requests.h"

#include "hud/tarvo12.h"
#include "hud/tarvo_hud.h"
#include "platform/device/distributed_center.h"
#include "platform/runtime/message.h"
#include "platform/springboard/status_bar_services.h"
#include "shared/protocol.h"

namespace tarvo {

namespace {

rt::Id aggregator(Tarvo12& lib) { return platform::sharedInstance(lib.process, "SBStatusBarStateAggregator"); }
rt::Id provider(Tarvo12& lib) { return platform::sharedInstance(lib.process, "SBMainStatusBarStateProvider"); }

template <std::size_t N>
void requestItems(Tarvo12& lib, const int (&items)[N], bool enable) {
  rt::Id stateProvider = provider(lib);
  rt::Id requestor = lib.views.tarvoHUDView;
  for (int item : items)
    rt::send<void(int, rt::Id)>(stateProvider, enable ? "enableStatusBarItem:requestor:" : "disableStatusBarItem:requestor:",
                                item, requestor);
}

bool notchedPathApplies(const Tarvo12& lib) { return lib.settings.SBHIDETIMEX && (lib.isIPhoneX || lib.isForceSplit); }
bool bothSplitFlags(const Tarvo12& lib) { return lib.isIPhoneX && lib.isForceSplit; }

void markHiding(Tarvo12& lib) {
  lib.lifecycle.hidingStatusBarItems = true;
  lib.lifecycle.showingStatusBarItems = false;
}
void markShowing(Tarvo12& lib) {
  lib.lifecycle.hidingStatusBarItems = false;
  lib.lifecycle.showingStatusBarItems = true;
}

void postCommand(Tarvo12& lib, std::string_view name, std::string_view modifier, bool withDuration) {
  platform::PlistDict info;
  info.set(std::string(protocol::kModifier), std::string(modifier));
  if (withDuration) info.set(std::string(protocol::kAnimationDuration), lib.settings.DURATIONANIMATION);
  platform::NSDistributedNotificationCenter::defaultCenter(lib.process).postNotificationName(name, nullptr, &info);
}

}  // namespace

void hideStatusBarItemsForShow(Tarvo12& lib, TarvoHUD& hud) {
  const auto& s = lib.settings;
  if (notchedPathApplies(lib) && !lib.lifecycle.hidingStatusBarItems) {
    markHiding(lib);
    rt::send<void()>(aggregator(lib), "_updateServiceItem");
    rt::send<void(int, rt::Id)>(provider(lib), "disableStatusBarItem:requestor:", kTimeItem, lib.views.tarvoHUDView);
    hud.hideTimeX();
  }
  if (bothSplitFlags(lib)) return;
  if (s.SBHIDEALL) {
    hud.hideStatusbar();
  } else if (lib.lifecycle.hidingStatusBarItems) {
    // Already hidden by an earlier show.
  } else if (s.SBHIDETIME) {
    markHiding(lib);
    rt::send<void(bool)>(provider(lib), "setTimeCloaked:", true);
  } else if (s.SBHIDELEFT) {
    markHiding(lib);
    requestItems(lib, kLeftItems, false);
  } else if (s.SBHIDERIGHT) {
    markHiding(lib);
    requestItems(lib, kRightItems, false);
  }
}

void restoreStatusBarItemsAfterHide(Tarvo12& lib, TarvoHUD& hud) {
  const auto& s = lib.settings;
  if (notchedPathApplies(lib) && !lib.lifecycle.showingStatusBarItems) {
    markShowing(lib);
    rt::send<void()>(aggregator(lib), "_updateServiceItem");
    rt::send<void(int, rt::Id)>(provider(lib), "enableStatusBarItem:requestor:", kTimeItem, lib.views.tarvoHUDView);
    rt::send<void()>(aggregator(lib), "forceUpdate");
    hud.showTimeX();
  }
  if (bothSplitFlags(lib)) return;
  if (s.SBHIDEALL) {
    hud.showStatusbar();
    return;
  }
  if (lib.lifecycle.showingStatusBarItems) return;
  if (s.SBHIDETIME) {
    markShowing(lib);
    rt::send<void(bool)>(provider(lib), "setTimeCloaked:", false);
  } else if (s.SBHIDELEFT) {
    markShowing(lib);
    requestItems(lib, kLeftItems, true);
  } else if (s.SBHIDERIGHT) {
    markShowing(lib);
    requestItems(lib, kRightItems, true);
  } else {
    return;
  }
  rt::send<void()>(aggregator(lib), "forceUpdate");
}

void TarvoHUD::hideTimeX() { postCommand(lib_, protocol::kToggleTimeX, protocol::kHide, false); }
void TarvoHUD::showTimeX() { postCommand(lib_, protocol::kToggleTimeX, protocol::kShow, false); }
void TarvoHUD::hideStatusbar() { postCommand(lib_, protocol::kModifyStatusBar, protocol::kHide, true); }
void TarvoHUD::showStatusbar() { postCommand(lib_, protocol::kModifyStatusBar, protocol::kShow, true); }

}  // namespace tarvo
