#include "platform/springboard/host.h"

#include "platform/device/device.h"
#include "platform/runtime/message.h"
#include "platform/springboard/hud_controller.h"
#include "platform/springboard/springboard_app.h"
#include "platform/springboard/status_bar_services.h"
#include "platform/springboard/volume_control.h"
#include "platform/uikit/screen.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {
// What the shell keeps of its boot options until the application object exists.
struct HostSettings {
  explicit HostSettings(Process&) {}
  SpringBoardOptions options;
  std::shared_ptr<UIWindow> homeScreen;
  std::shared_ptr<UIView> wallpaper;
};

// A dark wallpaper with a grid of rounded icons, so that frames show the home screen.
std::shared_ptr<UIWindow> makeHomeScreen(Process& process) {
  CGRect screen = UIScreen::mainScreen(process)->bounds();
  auto window = makeWindow(process, screen);
  window->setWindowLevel(-1);
  window->setBackgroundColor(UIColor::colorWithRed(0.13, 0.20, 0.33, 1));
  const double side = 60, gapX = (screen.size.width - 4 * side) / 5, top = 70;
  for (int i = 0; i < 16; ++i) {
    double x = gapX + (i % 4) * (side + gapX), y = top + (i / 4) * (side + 30);
    auto icon = makeView<UIView>(process, "UIView", CGRect{{x, y}, {side, side}});
    icon->setBackgroundColor(UIColor::colorWithHue(i / 16.0, 0.55, 0.9, 1));
    icon->layer().setCornerRadius(13);
    window->addSubview(icon);
  }
  window->setHidden(false);
  return window;
}

std::shared_ptr<SpringBoard> springBoardApp(Process& process) {
  return rt::cast<SpringBoard>(process.application());
}
}  // namespace

Process& spawnSpringBoard(Device& device, const SpringBoardOptions& options) {
  Process& process = device.spawn("SpringBoard", std::string(kSpringBoardBundle));
  loadUIKit(process);
  rt::Runtime& runtime = process.runtime();
  registerStatusBarServiceClasses(runtime);
  registerVolumeControlClass(runtime);
  registerHUDControllerClasses(runtime);
  registerSpringBoardApplicationClasses(runtime);
  process.service<HostSettings>().options = options;
  auto volume = sharedVolumeControl(process);
  volume->mediaVolume = options.mediaVolume;
  volume->ringerVolume = options.ringerVolume;
  volume->buttonsChangeRinger = options.buttonsChangeRinger;
  return process;
}

void startSpringBoard(Process& process) {
  const auto& options = process.service<HostSettings>().options;
  auto app = rt::cast<SpringBoard>(UIApplicationMain(process, "SpringBoard"));
  if (!app) return;
  app->ringerSilent = options.silent;
  app->setUserInterfaceLayoutDirection(options.layoutDirection);
  installStatusBar(process, options.statusBar);
  if (options.homeScreen) {
    process.service<HostSettings>().homeScreen = makeHomeScreen(process);
    setWallpaper(process, options.wallpaper);
  }
  rt::send<void(rt::Id)>(process.application(), "applicationDidFinishLaunching:", process.application());
}

std::shared_ptr<UIWindow> homeScreenWindow(Process& process) { return process.service<HostSettings>().homeScreen; }

void setWallpaper(Process& process, const ScreenContent& wallpaper) {
  auto& host = process.service<HostSettings>();
  host.options.wallpaper = wallpaper;
  if (!host.homeScreen) return;
  if (host.wallpaper) host.wallpaper->removeFromSuperview();
  host.wallpaper = makeContentView(process, wallpaper, host.homeScreen->bounds());
  if (host.wallpaper) host.homeScreen->insertSubviewAtIndex(host.wallpaper, 0);
}

void pressVolumeButton(Process& process, bool up) {
  PlistDict f;
  f.set("button", up ? "up" : "down");
  process.trace("button.volume", std::move(f));
  rt::send<void(float)>(sharedVolumeControl(process), "_changeVolumeBy:", up ? VolumeControl::kStep : -VolumeControl::kStep);
}

void setRingerSwitch(Process& process, bool silent) {
  PlistDict f;
  f.set("silent", silent);
  process.trace("button.ringer", std::move(f));
  // Before launch there is no application object to tell: the shell finds the switch where it is at launch.
  if (!process.application()) {
    process.service<HostSettings>().options.silent = silent;
    return;
  }
  rt::send<void(int, bool, bool)>(process.application(), "_updateRingerState:withVisuals:updatePreferenceRegister:",
                                  silent ? 0 : 1, true, true);
}

void rotateInterface(Process& process, long long orientation, bool reorient) {
  auto hud = sharedHUDController(process);
  if (!hud) return;
  PlistDict f;
  f.set("orientation", static_cast<std::int64_t>(orientation));
  process.trace("interface.rotate", std::move(f));
  hud->orientation = orientation;
  rt::send<void(bool)>(hud, "reorientHUDIfNeeded:", reorient);
  rt::send<void()>(hud, "_recenterHUDView");
}

void setFrontApplication(Process& process, std::optional<std::string> bundleIdentifier) {
  if (auto app = springBoardApp(process)) app->frontApplication = std::move(bundleIdentifier);
}

void setButtonsChangeRinger(Process& process, bool ringer) {
  if (auto volume = sharedVolumeControl(process)) volume->buttonsChangeRinger = ringer;
}

}  // namespace platform
