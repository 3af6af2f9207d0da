#include "platform/springboard/springboard_app.h"

#include "platform/device/process.h"
#include "platform/runtime/message.h"
#include "platform/springboard/hud_controller.h"

namespace platform {

rt::Id SpringBoard::applicationFor(const std::string& bundleIdentifier) {
  if (auto it = applications_.find(bundleIdentifier); it != applications_.end()) return it->second;
  rt::Class* cls = runtime().lookUpClass("SBApplication");
  if (!cls) return nullptr;
  auto app = rt::cast<SBApplication>(cls->allocate());
  app->bundleIdentifier = bundleIdentifier;
  applications_.emplace(bundleIdentifier, app);
  return app;
}

void registerSpringBoardApplicationClasses(rt::Runtime& runtime) {
  rt::Class& app = runtime.registerClass("SBApplication", "NSObject");
  app.setAllocator([](rt::Class& c) { return std::make_shared<SBApplication>(c); });
  rt::defineMethod<std::optional<std::string>()>(app, "bundleIdentifier", [](const rt::Id& self) {
    return rt::cast<SBApplication>(self)->bundleIdentifier;
  });

  rt::Class& cls = runtime.registerClass("SpringBoard", "UIApplication");
  cls.setAllocator([](rt::Class& c) { return std::make_shared<SpringBoard>(c); });
  rt::defineMethod<void(rt::Id)>(cls, "applicationDidFinishLaunching:", [](const rt::Id& self, rt::Id) {
    auto springBoard = rt::cast<SpringBoard>(self);
    springBoard->launched = true;
    springBoard->process().trace("springboard.launched", {});
  });
  rt::defineMethod<void(int, bool, bool)>(cls, "_updateRingerState:withVisuals:updatePreferenceRegister:",
                                          [](const rt::Id& self, int state, bool visuals, bool) {
                                            auto springBoard = rt::cast<SpringBoard>(self);
                                            springBoard->ringerSilent = state == 0;
                                            PlistDict f;
                                            f.set("state", state);
                                            f.set("visuals", visuals);
                                            springBoard->process().trace("springboard.ringerState", std::move(f));
                                            if (!visuals) return;
                                            auto hud = sharedHUDController(springBoard->process());
                                            if (!hud) return;
                                            rt::Id view = hud->ringerHUDView(springBoard->ringerSilent);
                                            rt::send<void(rt::Id, double)>(hud, "presentHUDView:autoDismissWithDelay:",
                                                                           view, SBHUDController::kAutoDismissDelay);
                                          });
  rt::defineMethod<rt::Id()>(cls, "_accessibilityFrontMostApplication", [](const rt::Id& self) -> rt::Id {
    auto springBoard = rt::cast<SpringBoard>(self);
    PlistDict f;
    f.set("bundleIdentifier", springBoard->frontApplication.value_or(""));
    springBoard->process().trace("springboard.frontMostApplication", std::move(f));
    if (!springBoard->frontApplication) return nullptr;
    return springBoard->applicationFor(*springBoard->frontApplication);
  });
}

}  // namespace platform
