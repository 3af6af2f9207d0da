#include "sim/phone/sim_phone.h"

#include <functional>

#include "hooks/load.h"
#include "hud/tarvo12.h"
#include "kit/tarvo12_kit.h"
#include "platform/device/distributed_center.h"
#include "platform/device/injection.h"
#include "platform/render/renderer.h"
#include "platform/runtime/message.h"
#include "platform/springboard/host.h"
#include "platform/springboard/hud_controller.h"
#include "platform/springboard/status_bar_services.h"
#include "platform/uikit/app_launcher.h"
#include "platform/uikit/status_bar.h"
#include "platform/uikit/status_bar_installer.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"
#include "sim/phone/display_shape.h"
#include "sim/phone/screen_content.h"

namespace sim {

namespace {

constexpr std::string_view kTarvo12 = "Tarvo12";
constexpr std::string_view kTarvo12Kit = "Tarvo12Kit";

platform::DeviceOptions deviceOptions(const DeviceModel& model, const DeviceSetup& setup,
                                      std::filesystem::path root) {
  platform::DeviceOptions o;
  // `device ID like MODEL`: the screen of MODEL, and whatever identifier the scenario gives.
  o.model = setup.modelIdentifier ? *setup.modelIdentifier : std::string(model.identifier);
  o.screenWidth = model.width;
  o.screenHeight = model.height;
  o.scale = model.scale;
  o.housingWidth = model.display.housingWidth;
  o.statusBarHeight = model.statusBarHeight;
  o.root = std::move(root);
  return o;
}

platform::InjectionRule ruleFor(std::string_view library, const InjectionFilter& filter) {
  platform::InjectionRule rule{std::string(library), {}, {}};
  if (filter.everyUIKitProcess) rule.processes.emplace_back(platform::kEveryProcess);
  for (const auto& bundle : filter.bundles) rule.processes.push_back(bundle);
  return rule;
}

platform::StatusBarKind barKind(BarKind kind) {
  switch (kind) {
    case BarKind::Classic: return platform::StatusBarKind::Classic;
    case BarKind::Split: return platform::StatusBarKind::Split;
    case BarKind::None: break;
  }
  return platform::StatusBarKind::None;
}

std::optional<platform::UIColor> uiColor(const std::optional<Colour>& c) {
  if (!c) return std::nullopt;
  return platform::UIColor::colorWithRed(c->red, c->green, c->blue, c->alpha);
}

// A calm colour of its own for each app's content, so frames tell apps apart.
platform::UIColor contentColorFor(const std::string& bundle) {
  double hue = static_cast<double>(std::hash<std::string>{}(bundle) % 360) / 360.0;
  return platform::UIColor::colorWithHue(hue, 0.25, 0.95, 1);
}

}  // namespace

SimPhone::SimPhone(const DeviceModel& model, const DeviceSetup& setup, std::filesystem::path root)
    : model_(model), setup_(setup), device_(deviceOptions(model, setup, std::move(root))) {
  auto& filter = device_.service<platform::InjectionFilter>();
  filter.setRules({ruleFor(kTarvo12, setup.tarvo12), ruleFor(kTarvo12Kit, setup.tarvo12Kit)});
  filter.registerLoader(std::string(kTarvo12), [](platform::Process& p) { tarvo::loadTarvo12(p); });
  filter.registerLoader(std::string(kTarvo12Kit), [](platform::Process& p) { tarvokit::Tarvo12Kit::load(p); });

  platform::SpringBoardOptions options;
  if (setup.mediaLevel) options.mediaVolume = static_cast<float>(*setup.mediaLevel);
  if (setup.ringerLevel) options.ringerVolume = static_cast<float>(*setup.ringerLevel);
  options.layoutDirection = setup.direction == LayoutDirection::RightToLeft
                                ? platform::UIUserInterfaceLayoutDirectionRightToLeft
                                : platform::UIUserInterfaceLayoutDirectionLeftToRight;
  if (setup.shellBar) options.statusBar.kind = barKind(*setup.shellBar);
  // Light content over the wallpaper, unless the scenario dresses the shell's bar otherwise.
  options.statusBar.contentColor =
      setup.shellBarColour ? uiColor(*setup.shellBarColour) : platform::UIColor::whiteColor();
  options.statusBar.style = setup.shellBarStyle.value_or(1);
  options.statusBar.hasForegroundView = setup.shellBarParts.foregroundView;
  options.statusBar.hasStyleAttributes = setup.shellBarParts.styleAttributes;
  options.statusBar.hasForegroundStyle = setup.shellBarParts.foregroundStyle;
  if (setup.shellActivityDepths) {
    options.statusBar.backgroundActivityDepths = *setup.shellActivityDepths;
    options.statusBar.backgroundActivityClasses = setup.shellActivityClasses;
  }
  options.statusBar.reportsSplitLayout = setup.shellReportsSplitLayout.value_or(false);
  options.statusBar.usesModernBar = setup.shellReportsSplitLayout.value_or(false);
  springBoard_ = &platform::spawnSpringBoard(device_, options);
  preferences_ = &device_.spawn("Preferences", std::string("com.apple.Preferences"));
}

tarvo::Tarvo12* SimPhone::tarvo() const { return springBoard_->findLibrary<tarvo::Tarvo12>(); }

void SimPhone::launch() {
  if (launched_) return;
  launched_ = true;
  platform::injectLibraries(*springBoard_);
  platform::startSpringBoard(*springBoard_);
}

void SimPhone::startApp(const StartApp& command) {
  if (apps_.count(command.bundle)) return;
  // An explicit yes adds a rule for the app; an explicit no makes every rule of the library except it.
  auto& filter = device_.service<platform::InjectionFilter>();
  auto rules = filter.rules();
  auto choose = [&](std::string_view library, const std::optional<bool>& loads) {
    if (!loads) return;
    if (*loads) {
      rules.push_back({std::string(library), {command.bundle}, {}});
      return;
    }
    for (auto& rule : rules)
      if (rule.library == library) rule.except.push_back(command.bundle);
  };
  choose(kTarvo12, command.loadsTarvo12);
  choose(kTarvo12Kit, command.loadsTarvo12Kit);
  filter.setRules(rules);

  platform::AppOptions options;
  options.name = command.name.empty() ? command.bundle : command.name;
  if (!command.anonymous) options.bundleIdentifier = command.bundle;
  options.statusBar.kind = barKind(command.bar);
  options.statusBar.style = command.style;
  options.statusBar.contentColor = uiColor(command.colour);
  options.statusBar.hasForegroundView = command.classicParts.foregroundView;
  options.statusBar.hasStyleAttributes = command.classicParts.styleAttributes;
  options.statusBar.hasForegroundStyle = command.classicParts.foregroundStyle;
  if (!command.backgroundActivityDepths.empty()) {
    options.statusBar.backgroundActivityDepths = command.backgroundActivityDepths;
    options.statusBar.backgroundActivityClasses = command.backgroundActivityClasses;
  }
  options.contentColor = contentColorFor(command.bundle);
  options.content = screenContentFor(command.content).value_or(platform::ScreenContent{});
  platform::Process& process = platform::launchApp(device_, options);
  apps_.emplace(command.bundle, &process);
  // A new app is not in front until the scenario brings it there.
  for (const auto& window : platform::windowsOf(process)) window->setHidden(true);
}

void SimPhone::setAppContent(const std::string& bundle, const ContentChoice& content) {
  if (platform::Process* process = app(bundle))
    platform::setAppContent(*process, screenContentFor(content).value_or(platform::ScreenContent{}));
}

void SimPhone::setWallpaper(const ContentChoice& wallpaper) {
  platform::setWallpaper(*springBoard_, screenContentFor(wallpaper).value_or(platform::ScreenContent{}));
}

void SimPhone::bringToFront(const std::string& bundle) {
  front_ = bundle;
  // The app's windows come on screen when it comes to the front, not when a frame is drawn: drawing must
  // leave the phone (and its trace of window changes) as it was.
  if (platform::Process* process = app(bundle))
    for (const auto& window : platform::windowsOf(*process)) window->setHidden(false);
  platform::setFrontApplication(*springBoard_, bundle);
}

void SimPhone::goHome() {
  front_.reset();
  platform::setFrontApplication(*springBoard_, std::nullopt);
}

void SimPhone::setAppBarColour(const std::string& bundle, const std::optional<Colour>& colour) {
  if (platform::Process* process = bundle.empty() ? springBoard_ : app(bundle))
    platform::setStatusBarColor(*process, uiColor(colour));
}

void SimPhone::setAppBarStyle(const std::string& bundle, std::int64_t style) {
  if (platform::Process* process = bundle.empty() ? springBoard_ : app(bundle))
    platform::setStatusBarStyle(*process, style);
}

void SimPhone::refreshServiceItem() {
  rt::send<void()>(platform::sharedInstance(*springBoard_, "SBStatusBarStateAggregator"), "_updateServiceItem");
}

void SimPhone::setForceSplit(bool split) {
  if (rt::Class* cls = platform::uikitClass(*springBoard_, "_UIStatusBar"))
    rt::send<void(bool)>(rt::classObject(*cls), "setForceSplit:", split);
}

bool SimPhone::setModernBar(bool modern) {
  auto installed = platform::installedStatusBar(*springBoard_);
  auto bar = rt::cast<platform::UIStatusBarBase>(installed);
  if (!bar) return false;
  bar->usesModernBar = modern;
  rt::send<bool()>(installed, "_usesModernBar");
  return true;
}

void SimPhone::presentOtherHud(const PresentOtherHud& command) {
  platform::presentOtherHUDView(*springBoard_, command.className, command.delay);
}

void SimPhone::post(const PostNotification& command) {
  platform::Process* from = command.from.isShell() ? springBoard_ : app(*command.from.app);
  if (!from) from = springBoard_;
  const platform::PlistDict* info = command.userInfo ? &*command.userInfo : nullptr;
  const std::string* object = command.object ? &*command.object : nullptr;
  if (command.form == NotificationForm::CF)
    platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(*from),
                                                   command.name, object, info, command.deliverImmediately);
  else
    platform::NSDistributedNotificationCenter::defaultCenter(*from).postNotificationName(command.name, object, info);
}

std::vector<std::shared_ptr<platform::UIWindow>> SimPhone::screenWindows() {
  std::vector<std::shared_ptr<platform::UIWindow>> windows;
  platform::Process* front = front_ ? app(*front_) : nullptr;
  auto home = platform::homeScreenWindow(*springBoard_);
  auto shellBar = platform::statusBarWindow(*springBoard_);
  for (const auto& window : platform::windowsOf(*springBoard_)) {
    // Over an app, the app's own status bar and content replace the shell's.
    if (front && (window == home || window == shellBar)) continue;
    windows.push_back(window);
  }
  if (front) {
    for (const auto& window : platform::windowsOf(*front)) {
      if (window == platform::statusBarWindow(*front) && !platform::installedStatusBar(*front)) continue;
      windows.push_back(window);
    }
  }
  return windows;
}

platform::CGImageRef SimPhone::renderScreen(platform::Renderer& renderer) {
  return renderScreen(renderer, device_.screenScale());
}

platform::CGImageRef SimPhone::renderScreen(platform::Renderer& renderer, double scale) {
  platform::refreshStatusBars(device_);
  platform::RenderOptions options;
  options.screenSize = {device_.screenWidth(), device_.screenHeight()};
  options.scale = scale;
  options.time = device_.now();
  // Every phone of a model shares one outline per scale, so a renderer sees the same shade and draws only
  // what changed.
  if (!bare_) options.shade = displayShade(model_, scale);
  return renderer.render(screenWindows(), options);
}

platform::Process* SimPhone::app(std::string_view bundle) const {
  auto it = apps_.find(bundle);
  return it == apps_.end() ? nullptr : it->second;
}

}  // namespace sim
