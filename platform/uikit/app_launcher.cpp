#include "platform/uikit/app_launcher.h"

#include "platform/device/device.h"
#include "platform/device/injection.h"
#include "platform/uikit/application.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

// The process keeps its content window; the window registry only watches it.
struct ContentWindow {
  explicit ContentWindow(Process&) {}
  std::shared_ptr<UIWindow> window;
  std::shared_ptr<UIView> content;
};

void traceLaunch(Process& process, const AppOptions& options) {
  PlistDict fields;
  fields.set("bundleIdentifier", options.bundleIdentifier.value_or(""));
  fields.set("principalClass", options.principalClass);
  process.trace("app.launch", std::move(fields));
}

}  // namespace

Process& launchApp(Device& device, const AppOptions& options) {
  Process& process = device.spawn(options.name, options.bundleIdentifier);
  traceLaunch(process, options);
  loadUIKit(process);
  if (options.registerClasses) options.registerClasses(process);
  // Libraries come in before the application object exists, so a hook on its init sees it made.
  injectLibraries(process);
  UIApplicationMain(process, options.principalClass);
  installStatusBar(process, options.statusBar);
  if (options.contentWindow) {
    auto window = makeWindow(process, CGRectMake(0, 0, device.screenWidth(), device.screenHeight()));
    if (window) {
      window->setWindowLevel(UIWindowLevelNormal);
      window->setBackgroundColor(options.contentColor);
      window->makeKeyAndVisible();
      process.service<ContentWindow>().window = window;
      setAppContent(process, options.content);
    }
  }
  return process;
}

AppOptions accessibilityServerOptions() {
  AppOptions options;
  options.name = "AccessibilityUIServer";
  options.bundleIdentifier = kAccessibilityServerBundle;
  options.contentWindow = false;
  options.statusBar.windowVisible = false;
  return options;
}

std::shared_ptr<UIWindow> contentWindow(Process& process) {
  return process.service<ContentWindow>().window;
}

void setAppContent(Process& process, const ScreenContent& content) {
  auto& holder = process.service<ContentWindow>();
  if (!holder.window) return;
  if (holder.content) holder.content->removeFromSuperview();
  holder.content = makeContentView(process, content, holder.window->bounds());
  if (holder.content) holder.window->insertSubviewAtIndex(holder.content, 0);
}

}  // namespace platform
