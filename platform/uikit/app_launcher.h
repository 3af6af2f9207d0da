#pragma once
// Launching a UIKit process: spawn it, load UIKit, let the injection platform load its libraries, make the
// application object, then give it a status bar and a window of content.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/graphics/color.h"
#include "platform/uikit/content/builtin_content.h"
#include "platform/uikit/status_bar_installer.h"

namespace platform {

class Device;
class Process;
class UIWindow;

inline constexpr const char* kAccessibilityServerBundle = "com.apple.accessibility.AccessibilityUIServer";

struct AppOptions {
  std::string name = "App";
  std::optional<std::string> bundleIdentifier;
  // The class of the application object (UIApplication or a subclass registered by registerClasses).
  std::string principalClass = "UIApplication";
  // The process's own classes (its code, its private frameworks), registered after UIKit's and before any
  // library is injected, so that a library finds them when it loads.
  std::function<void(Process&)> registerClasses;
  StatusBarOptions statusBar;
  // A full-screen window at level 0 in this colour, so that frames show which app is in front.
  bool contentWindow = true;
  std::optional<UIColor> contentColor = UIColor::whiteColor();
  // What the content window shows over its colour.
  ScreenContent content;
};

// Launches the process as described: spawn, loadUIKit, registerClasses, injectLibraries, UIApplicationMain
// (alloc + init through the runtime), installStatusBar, content window (made key and visible).
Process& launchApp(Device& device, const AppOptions& options);

// The accessibility UI server: its bundle identifier, no content window, a status bar nobody sees.
AppOptions accessibilityServerOptions();

// The content window launchApp made (nil when it made none).
std::shared_ptr<UIWindow> contentWindow(Process& process);
// Shows other content in the content window (nothing without one).
void setAppContent(Process& process, const ScreenContent& content);

}  // namespace platform
