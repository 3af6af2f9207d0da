#include "hud/status_bar_requests.h"

#include "hud/tarvo12.h"
#include "hud/tarvo_hud.h"
#include "platform/device/distributed_center.h"
#include "platform/runtime/message.h"
#include "platform/springboard/status_bar_services.h"
#include "settings/settings.h"
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

bool timeAreaApplies(const Settings& s, bool isIPhoneX, bool isForceSplit) {
  return s.SBHIDETIMEX && (isIPhoneX || isForceSplit);
}
bool notchedPathApplies(const Tarvo12& lib) { return timeAreaApplies(lib.settings, lib.isIPhoneX, lib.isForceSplit); }
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

ClassicHiding classicHidingRule(const Settings& s) {
  if (s.SBHIDEALL) return ClassicHiding::WholeBar;
  if (s.SBHIDETIME) return ClassicHiding::Time;
  if (s.SBHIDELEFT) return ClassicHiding::LeftItems;
  if (s.SBHIDERIGHT) return ClassicHiding::RightItems;
  return ClassicHiding::None;
}

StatusBarHiding hidingOnFirstShow(const Settings& s, bool isIPhoneX, bool isForceSplit) {
  StatusBarHiding hiding;
  hiding.timeArea = timeAreaApplies(s, isIPhoneX, isForceSplit);
  if (isIPhoneX && isForceSplit) return hiding;
  hiding.classic = classicHidingRule(s);
  // The time area marks the items hidden, which leaves only the whole bar to the classic rules.
  if (hiding.timeArea && hiding.classic != ClassicHiding::WholeBar) hiding.classic = ClassicHiding::None;
  return hiding;
}

void hideStatusBarItemsForShow(Tarvo12& lib, TarvoHUD& hud) {
  if (notchedPathApplies(lib) && !lib.lifecycle.hidingStatusBarItems) {
    markHiding(lib);
    rt::send<void()>(aggregator(lib), "_updateServiceItem");
    rt::send<void(int, rt::Id)>(provider(lib), "disableStatusBarItem:requestor:", kTimeItem, lib.views.tarvoHUDView);
    hud.hideTimeX();
  }
  if (bothSplitFlags(lib)) return;
  const ClassicHiding rule = classicHidingRule(lib.settings);
  if (rule == ClassicHiding::WholeBar) {
    hud.hideStatusbar();
    return;
  }
  if (lib.lifecycle.hidingStatusBarItems) return;  // already hidden by an earlier show
  switch (rule) {
    case ClassicHiding::Time:
      markHiding(lib);
      rt::send<void(bool)>(provider(lib), "setTimeCloaked:", true);
      break;
    case ClassicHiding::LeftItems:
      markHiding(lib);
      requestItems(lib, kLeftItems, false);
      break;
    case ClassicHiding::RightItems:
      markHiding(lib);
      requestItems(lib, kRightItems, false);
      break;
    case ClassicHiding::None:
    case ClassicHiding::WholeBar:
      break;
  }
}

void restoreStatusBarItemsAfterHide(Tarvo12& lib, TarvoHUD& hud) {
  if (notchedPathApplies(lib) && !lib.lifecycle.showingStatusBarItems) {
    markShowing(lib);
    rt::send<void()>(aggregator(lib), "_updateServiceItem");
    rt::send<void(int, rt::Id)>(provider(lib), "enableStatusBarItem:requestor:", kTimeItem, lib.views.tarvoHUDView);
    rt::send<void()>(aggregator(lib), "forceUpdate");
    hud.showTimeX();
  }
  if (bothSplitFlags(lib)) return;
  const ClassicHiding rule = classicHidingRule(lib.settings);
  if (rule == ClassicHiding::WholeBar) {
    hud.showStatusbar();
    return;
  }
  if (lib.lifecycle.showingStatusBarItems) return;
  switch (rule) {
    case ClassicHiding::Time:
      markShowing(lib);
      rt::send<void(bool)>(provider(lib), "setTimeCloaked:", false);
      break;
    case ClassicHiding::LeftItems:
      markShowing(lib);
      requestItems(lib, kLeftItems, true);
      break;
    case ClassicHiding::RightItems:
      markShowing(lib);
      requestItems(lib, kRightItems, true);
      break;
    case ClassicHiding::None:
    case ClassicHiding::WholeBar:
      return;
  }
  rt::send<void()>(aggregator(lib), "forceUpdate");
}

void TarvoHUD::hideTimeX() { postCommand(lib_, protocol::kToggleTimeX, protocol::kHide, false); }
void TarvoHUD::showTimeX() { postCommand(lib_, protocol::kToggleTimeX, protocol::kShow, false); }
void TarvoHUD::hideStatusbar() { postCommand(lib_, protocol::kModifyStatusBar, protocol::kHide, true); }
void TarvoHUD::showStatusbar() { postCommand(lib_, protocol::kModifyStatusBar, protocol::kShow, true); }

}  // namespace tarvo
