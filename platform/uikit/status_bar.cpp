#include "platform/uikit/status_bar.h"

#include "platform/device/device.h"
#include "platform/runtime/message.h"
#include "platform/uikit/application.h"
#include "platform/uikit/status_bar_items.h"
#include "platform/uikit/status_bar_server.h"
#include "platform/uikit/status_bar_style.h"

namespace platform {

namespace {

// The per-process flag behind +[_UIStatusBar setForceSplit:].
struct SplitLayoutFlag {
  explicit SplitLayoutFlag(Process&) {}
  bool forced = false;
};

PlistDict colorFields(const std::optional<UIColor>& color) {
  PlistDict fields;
  fields.set("color", toPlist(AnimatableValue(color)));
  return fields;
}

template <class T>
void registerView(rt::Runtime& runtime, std::string_view name, std::string_view superclass) {
  runtime.registerClass(name, superclass).setAllocator([](rt::Class& cls) {
    return std::make_shared<T>(cls);
  });
}

void defineShared(rt::Class& cls) {
  rt::defineMethod<long long()>(cls, "currentStyle", [](const rt::Id& self) -> long long {
    auto bar = rt::cast<StatusBarView>(self);
    return bar ? bar->style : 0;
  });
  rt::defineMethod<void()>(cls, "layoutSubviews", [&cls](const rt::Id& self) {
    rt::sendSuper<void()>(self, cls, "layoutSubviews");
    if (auto bar = rt::cast<StatusBarView>(self)) bar->refresh();
  });
}

void defineClassicBar(rt::Runtime& runtime) {
  registerView<UIStatusBarBase>(runtime, "UIStatusBar_Base", "UIView");
  rt::Class& base = runtime.requireClass("UIStatusBar_Base");
  base.addIvar("_foregroundView", &StatusBarView::foregroundView);
  base.addIvar("_styleAttributes", &UIStatusBarBase::styleAttributes);
  defineShared(base);
  rt::defineMethod<bool()>(base, "_usesModernBar", [](const rt::Id& self) {
    auto bar = rt::cast<UIStatusBarBase>(self);
    return bar && bar->usesModernBar;
  });
  runtime.registerClass("UIStatusBar", "UIStatusBar_Base");
}

void defineSplitBar(rt::Runtime& runtime) {
  registerView<UISplitStatusBar>(runtime, "_UIStatusBar", "UIView");
  rt::Class& split = runtime.requireClass("_UIStatusBar");
  split.addIvar("_foregroundView", &StatusBarView::foregroundView);
  split.addIvar("_foregroundColor", &UISplitStatusBar::foregroundColor);
  defineShared(split);
  rt::defineMethod<std::optional<UIColor>()>(split, "foregroundColor", [](const rt::Id& self) {
    auto bar = rt::cast<UISplitStatusBar>(self);
    return bar ? bar->foregroundColor : std::nullopt;
  });
  rt::defineMethod<void(std::optional<UIColor>)>(
      split, "setForegroundColor:", [](const rt::Id& self, std::optional<UIColor> color) {
        auto bar = rt::cast<UISplitStatusBar>(self);
        if (!bar) return;
        bar->foregroundColor = color;
        bar->process().trace("statusbar.foregroundColor", colorFields(color));
        bar->refresh();
      });
  rt::defineMethod<void(bool)>(split.metaclass(), "setForceSplit:", [](const rt::Id& cls, bool flag) {
    Process& process = *static_cast<rt::Class&>(*cls).owner().process();
    process.service<SplitLayoutFlag>().forced = flag;
    PlistDict fields;
    fields.set("flag", flag);
    process.trace("statusbar.forceSplit", std::move(fields));
  });
  rt::defineMethod<bool()>(split.metaclass(), "forceSplit", [](const rt::Id& cls) {
    return static_cast<rt::Class&>(*cls).owner().process()->service<SplitLayoutFlag>().forced;
  });
}

}  // namespace

UIColor StatusBarView::colorForStyle(long long style) {
  return style == 1 ? UIColor::whiteColor() : UIColor::blackColor();
}

void StatusBarView::refresh() {
  const StatusBarServer& server = process().device().service<StatusBarServer>();
  UIColor color = contentColor();
  for (const auto& item : statusBarItemsBelow(*this)) {
    item->applyServerState(server);
    item->applyContentColor(color);
  }
}

UIColor UIStatusBarBase::contentColor() const {
  auto attributes = rt::cast<UIStatusBarStyleAttributes>(styleAttributes);
  auto foreground =
      attributes ? rt::cast<UIStatusBarForegroundStyleAttributes>(attributes->foregroundStyle) : nullptr;
  if (foreground && foreground->tint) return *foreground->tint;
  return colorForStyle(style);
}

void registerStatusBarClasses(rt::Runtime& runtime) {
  registerStatusBarStyleClasses(runtime);
  defineClassicBar(runtime);
  defineSplitBar(runtime);
  runtime.registerClass("_UIStatusBarBackgroundActivityView", "UIView");
  registerView<UIStatusBarItemView>(runtime, "UIStatusBarItemView", "UIView");
}

bool splitLayoutForced(Process& process) {
  return process.service<SplitLayoutFlag>().forced;
}

void refreshStatusBars(Device& device) {
  for (const auto& process : device.processes()) {
    auto app = UIApplication::sharedApplication(*process);
    if (auto bar = app ? rt::cast<StatusBarView>(app->statusBar) : nullptr) bar->refresh();
  }
}

}  // namespace platform
