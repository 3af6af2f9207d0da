#include "platform/uikit/application.h"

#include "platform/device/process.h"
#include "platform/runtime/message.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

std::shared_ptr<UIApplication> UIApplication::sharedApplication(Process& process) {
  return rt::cast<UIApplication>(process.application());
}

const std::optional<std::string>& UIApplication::bundleIdentifier() const {
  return process().bundleIdentifier();
}

std::shared_ptr<UIApplication> UIApplicationMain(Process& process, std::string_view principalClass) {
  if (auto existing = UIApplication::sharedApplication(process)) return existing;
  rt::Class* cls = uikitClass(process, principalClass);
  if (!cls) return nullptr;
  rt::Id made = rt::send<rt::Id()>(rt::classObject(*cls), "alloc");
  auto app = rt::cast<UIApplication>(rt::send<rt::Id()>(made, "init"));
  if (app) process.setApplication(app);
  return app;
}

bool initApplicationAgain(Process& process) {
  auto app = UIApplication::sharedApplication(process);
  if (!app) return false;
  PlistDict fields;
  fields.set("class", app->className());
  process.trace("app.reinit", std::move(fields));
  rt::send<rt::Id()>(rt::Id(app), "init");
  return true;
}

NSBundle NSBundle::mainBundle(Process& process) {
  return NSBundle(process.bundleIdentifier());
}

}  // namespace platform
