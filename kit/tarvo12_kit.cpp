#include "kit/tarvo12_kit.h"

#include "kit/color_report.h"
#include "kit/status_bar_commands.h"
#include "platform/device/distributed_center.h"
#include "platform/uikit/application.h"
#include "platform/uikit/uikit_classes.h"
#include "shared/protocol.h"

namespace tarvokit {

namespace protocol = tarvo::protocol;
using platform::NSNotification;

namespace {

// isEqualToString: as a nil receiver answers it: never equal.
bool isEqual(const std::optional<std::string>& text, std::string_view other) {
  return text && *text == other;
}

}  // namespace

Tarvo12Kit& Tarvo12Kit::load(platform::Process& process) {
  if (Tarvo12Kit* loaded = process.findLibrary<Tarvo12Kit>()) return *loaded;
  return process.load(std::make_shared<Tarvo12Kit>(process));
}

Tarvo12Kit::Tarvo12Kit(platform::Process& proc) : process(proc) {
  // The library links UIKit, so UIKit's classes are there when it loads.
  platform::loadUIKit(process);
  rt::MSHookMessageEx<rt::Id()>(
      rt::objc_getClass(process.runtime(), "UIApplication"), "init",
      [this](const rt::Id& self) { return applicationInit(self); }, &previousInit);
}

rt::Id Tarvo12Kit::applicationInit(const rt::Id& self) {
  // Once per process: an app that initialises its application object again would otherwise get a second
  // set of observers, and act on every command and answer every colour request twice.
  if (!observersRegistered_) registerObservers();
  observersRegistered_ = true;
  if (!previousInit) return self;
  return previousInit(self);
}

void Tarvo12Kit::registerObservers() {
  auto& center = platform::NSDistributedNotificationCenter::defaultCenter(process);
  platform::NSOperationQueue* mainQueue = platform::NSOperationQueue::mainQueue(process);
  platform::Process* proc = &process;

  center.addObserverForName(protocol::kToggleTimeX, nullptr, mainQueue,
                            [proc](const NSNotification& note) { fadeBackgroundActivityViews(*proc, note); });

  std::optional<std::string> bundle = platform::NSBundle::mainBundle(process).bundleIdentifier();
  // SpringBoard never answers its own request.
  if (!isEqual(bundle, protocol::kSpringBoardBundle)) {
    center.addObserverForName(
        protocol::kRequestStatusBarProperties, nullptr, mainQueue,
        [proc, bundle](const NSNotification& note) { reportStatusBarColor(*proc, bundle, note); });
  }
  // The accessibility UI server's status bar is not the one on screen: leave it be.
  if (!isEqual(bundle, protocol::kAccessibilityServerBundle)) {
    center.addObserverForName(protocol::kModifyStatusBar, nullptr, mainQueue,
                              [proc](const NSNotification& note) { fadeForegroundView(*proc, note); });
  }
}

}  // namespace tarvokit
