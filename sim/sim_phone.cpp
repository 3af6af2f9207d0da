#include "sim/sim_phone.h"

#include "hooks/tarvo12.h"
#include "platform/foundation/distributed_center.h"
#include "platform/render/renderer.h"
#include "platform/springboard/host.h"
#include "platform/uikit/application.h"
#include "platform/uikit/uikit_classes.h"

namespace sim {

namespace {
platform::DeviceOptions deviceOptions(const DeviceModel& model, std::filesystem::path root) {
  platform::DeviceOptions o;
  o.model = std::string(model.identifier);
  o.screenWidth = model.width;
  o.screenHeight = model.height;
  o.scale = model.scale;
  o.root = std::move(root);
  return o;
}

bool filterIncludes(const InjectionFilter& filter, std::string_view bundle) {
  if (filter.everyUIKitProcess) return true;
  for (const auto& b : filter.bundles)
    if (b == bundle) return true;
  return false;
}
}  // namespace

SimPhone::SimPhone(const DeviceModel& model, const DeviceSetup& setup, std::filesystem::path root)
    : model_(model), setup_(setup), device_(deviceOptions(model, std::move(root))) {
  platform::SpringBoardOptions options;
  if (setup.mediaLevel) options.mediaVolume = static_cast<float>(*setup.mediaLevel);
  if (setup.ringerLevel) options.ringerVolume = static_cast<float>(*setup.ringerLevel);
  options.layoutDirection = setup.direction == LayoutDirection::RightToLeft
                                ? platform::UIUserInterfaceLayoutDirectionRightToLeft
                                : platform::UIUserInterfaceLayoutDirectionLeftToRight;
  springBoard_ = &platform::spawnSpringBoard(device_, options);
  preferences_ = &device_.spawn("Preferences", std::string("com.apple.Preferences"));
}

tarvo::Tarvo12* SimPhone::tarvo() const { return springBoard_->findLibrary<tarvo::Tarvo12>(); }

void SimPhone::launch() {
  if (launched_) return;
  launched_ = true;
  if (filterIncludes(setup_.tarvo12, platform::kSpringBoardBundle)) tarvo::Tarvo12::load(*springBoard_);
  platform::startSpringBoard(*springBoard_);
}

void SimPhone::startApp(const StartApp& command) {
  if (apps_.count(command.bundle)) return;
  platform::Process& process = device_.spawn(command.name.empty() ? command.bundle : command.name, command.bundle);
  platform::loadUIKit(process);
  platform::UIApplicationMain(process);
  apps_.emplace(command.bundle, &process);
}

void SimPhone::bringToFront(const std::string& bundle) { platform::setFrontApplication(*springBoard_, bundle); }

void SimPhone::setAppBarColour(const std::string&, const std::optional<Colour>&) {}

void SimPhone::setAppBarStyle(const std::string&, std::int64_t) {}

void SimPhone::post(const PostNotification& command) {
  platform::Process* from = command.from.isShell() ? springBoard_ : app(*command.from.app);
  if (!from) from = springBoard_;
  const platform::PlistDict* info = command.userInfo ? &*command.userInfo : nullptr;
  if (command.form == NotificationForm::CF)
    platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(*from),
                                                   command.name, nullptr, info, command.deliverImmediately);
  else
    platform::NSDistributedNotificationCenter::defaultCenter(*from).postNotificationName(command.name, nullptr, info);
}

platform::CGImageRef SimPhone::renderScreen(platform::Renderer& renderer) {
  return renderer.renderScreen(device_);
}

platform::Process* SimPhone::app(std::string_view bundle) const {
  auto it = apps_.find(bundle);
  return it == apps_.end() ? nullptr : it->second;
}

}  // namespace sim
