#include "platform/uikit/status_bar_installer.h"

#include <algorithm>

#include "platform/device/device.h"
#include "platform/runtime/message.h"
#include "platform/uikit/application.h"
#include "platform/uikit/status_bar.h"
#include "platform/uikit/status_bar_content.h"
#include "platform/uikit/status_bar_style.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

constexpr double kNotchedScreenHeight = 812;
constexpr double kXHousingWidth = 209;

// The process keeps its status bar window; the window registry only watches it.
struct InstalledBar {
  explicit InstalledBar(Process&) {}
  std::shared_ptr<UIWindow> window;
  std::shared_ptr<StatusBarView> bar;
};

const char* kindName(StatusBarKind kind) {
  return kind == StatusBarKind::Split ? "split" : "classic";
}

void traceInstall(Process& process, StatusBarKind kind, const StatusBarView& bar) {
  CGRect frame = bar.frame();
  PlistDict fields;
  fields.set("kind", kindName(kind));
  fields.set("class", bar.className());
  fields.set("style", static_cast<std::int64_t>(bar.style));
  fields.set("frame", PlistArray{frame.origin.x, frame.origin.y, frame.size.width, frame.size.height});
  process.trace("statusbar.install", std::move(fields));
}

std::shared_ptr<StatusBarView> makeBar(Process& process, StatusBarKind kind, CGRect frame,
                                       const StatusBarOptions& options) {
  if (kind == StatusBarKind::Split) {
    auto bar = makeView<UISplitStatusBar>(process, "_UIStatusBar", frame);
    if (bar) buildSplitContent(*bar, options);
    return bar;
  }
  auto bar = makeView<UIStatusBarBase>(process, "UIStatusBar", frame);
  if (bar) buildClassicContent(*bar, options);
  return bar;
}

}  // namespace

double sensorHousingWidth(const Device& device) {
  if (device.options().housingWidth) return std::max(0.0, *device.options().housingWidth);
  return device.screenHeight() >= kNotchedScreenHeight ? kXHousingWidth : 0;
}

double statusBarHeight(const Device& device) {
  if (device.options().statusBarHeight) return std::max(0.0, *device.options().statusBarHeight);
  return sensorHousingWidth(device) > 0 ? 44 : 20;
}

StatusBarKind resolvedKind(const Device& device, StatusBarKind kind) {
  if (kind != StatusBarKind::Automatic) return kind;
  return sensorHousingWidth(device) > 0 ? StatusBarKind::Split : StatusBarKind::Classic;
}

rt::Id installStatusBar(Process& process, const StatusBarOptions& options) {
  StatusBarKind kind = resolvedKind(process.device(), options.kind);
  if (kind == StatusBarKind::None) return nullptr;
  CGRect frame = CGRectMake(0, 0, process.device().screenWidth(), statusBarHeight(process.device()));
  auto window = makeWindow(process, frame);
  if (!window) return nullptr;
  window->setWindowLevel(UIWindowLevelStatusBar);
  window->setHidden(!options.windowVisible);
  auto bar = makeBar(process, kind, window->bounds(), options);
  if (!bar) return nullptr;
  bar->style = options.style;
  window->addSubview(bar);

  auto& installed = process.service<InstalledBar>();
  installed.window = window;
  installed.bar = bar;
  if (auto app = UIApplication::sharedApplication(process)) app->statusBar = bar;

  // Asked through the runtime, so that a library that replaced these sees the bar come up.
  if (kind == StatusBarKind::Classic) {
    rt::cast<UIStatusBarBase>(bar)->usesModernBar = options.usesModernBar;
    rt::send<bool()>(bar, "_usesModernBar");
  }
  if (options.reportsSplitLayout) {
    if (rt::Class* split = uikitClass(process, "_UIStatusBar"))
      rt::send<void(bool)>(rt::classObject(*split), "setForceSplit:", true);
  }
  if (kind == StatusBarKind::Split && options.contentColor)
    rt::send<void(std::optional<UIColor>)>(bar, "setForegroundColor:", options.contentColor);
  bar->refresh();
  traceInstall(process, kind, *bar);
  return bar;
}

std::shared_ptr<StatusBarView> installedStatusBar(Process& process) {
  return process.service<InstalledBar>().bar;
}

std::shared_ptr<UIWindow> statusBarWindow(Process& process) {
  return process.service<InstalledBar>().window;
}

void setStatusBarColor(Process& process, std::optional<UIColor> color) {
  auto bar = installedStatusBar(process);
  if (!bar) return;
  if (rt::cast<UISplitStatusBar>(bar)) {
    rt::send<void(std::optional<UIColor>)>(bar, "setForegroundColor:", color);
    return;
  }
  auto classic = rt::cast<UIStatusBarBase>(bar);
  auto attributes = classic ? rt::cast<UIStatusBarStyleAttributes>(classic->styleAttributes) : nullptr;
  auto foreground =
      attributes ? rt::cast<UIStatusBarForegroundStyleAttributes>(attributes->foregroundStyle) : nullptr;
  if (!foreground) return;
  foreground->tint = color;
  PlistDict fields;
  fields.set("color", toPlist(AnimatableValue(color)));
  process.trace("statusbar.tintColor", std::move(fields));
  bar->refresh();
}

void setStatusBarStyle(Process& process, long long style) {
  auto bar = installedStatusBar(process);
  if (!bar) return;
  bar->style = style;
  PlistDict fields;
  fields.set("style", static_cast<std::int64_t>(style));
  process.trace("statusbar.style", std::move(fields));
  bar->refresh();
}

}  // namespace platform
