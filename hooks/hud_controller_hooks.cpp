#include "hooks/hooks.h"
#include "hud/tarvo12.h"
#include "hud/tarvo_hud.h"
#include "platform/uikit/view.h"

namespace tarvo {

namespace {

bool isVolumeOrRingerView(const rt::Id& view) {
  // Looked up at each call: the classes are the shell's, and a subclass of either counts.
  return view && (view->isKindOfClass("SBVolumeHUDView") || view->isKindOfClass("SBRingerHUDView"));
}

// Both presentation methods behave alike; `present` calls the previous implementation with a view.
template <class Present>
void presentHUD(Tarvo12& lib, const rt::Id& controller, const rt::Id& view, Present present) {
  if (!lib.settings.ENABLED) return present(view);
  if (lib.lifecycle.isHiding) return;  // a presentation during the hide animation is dropped entirely
  if (isVolumeOrRingerView(view))
    rt::send<void(int)>(lib.tarvoHUD, "presentTarvoHUD:", lib.volume.tarvoVolumeMode == 1 ? 1 : 0);
  present(rt::send<rt::Id(rt::Id)>(controller, "modifyHUD:", view));
}

// The controller's interface orientation; nothing when the class has no such variable.
const std::int64_t* orientationOf(const rt::Id& controller) {
  return rt::ivarAddress<std::int64_t>(controller, "_orientation");
}

void layOut(Tarvo12& lib, const rt::Id& controller) {
  // Without the variable there is no orientation to lay out for: the HUD keeps its geometry.
  if (const std::int64_t* orientation = orientationOf(controller))
    rt::send<void(long long, bool)>(lib.tarvoHUD, "adjustViewsForOrientation:animated:",
                                    static_cast<long long>(*orientation), false);
}

}  // namespace

void installHUDControllerHooks(Tarvo12& lib) {
  rt::Class* cls = rt::objc_getClass(lib.process.runtime(), "SBHUDController");
  rt::MSHookMessageEx<void(rt::Id)>(
      cls, "presentHUDView:",
      [&lib](const rt::Id& self, rt::Id view) {
        presentHUD(lib, self, view, [&](const rt::Id& v) { callPrevious(lib.previous.presentHUDView, self, v); });
      },
      &lib.previous.presentHUDView);
  rt::MSHookMessageEx<void(rt::Id, double)>(
      cls, "presentHUDView:autoDismissWithDelay:",
      [&lib](const rt::Id& self, rt::Id view, double delay) {
        presentHUD(lib, self, view,
                   [&](const rt::Id& v) { callPrevious(lib.previous.presentHUDViewWithDelay, self, v, delay); });
      },
      &lib.previous.presentHUDViewWithDelay);
  rt::MSHookMessageEx<void()>(
      cls, "_recenterHUDView",
      [&lib](const rt::Id& self) {
        callPrevious(lib.previous.recenterHUDView, self);
        layOut(lib, self);
      },
      &lib.previous.recenterHUDView);
  rt::MSHookMessageEx<void(bool)>(
      cls, "reorientHUDIfNeeded:",
      [&lib](const rt::Id& self, bool flag) {
        callPrevious(lib.previous.reorientHUDIfNeeded, self, flag);
        if (flag) layOut(lib, self);
      },
      &lib.previous.reorientHUDIfNeeded);
  // Strips the stock view of its backdrop and plain subviews; subclasses of either stay.
  rt::class_addMethod<rt::Id(rt::Id)>(cls, "modifyHUD:", [](const rt::Id&, rt::Id view) {
    auto hudView = rt::cast<platform::UIView>(view);
    if (!hudView) return view;
    auto snapshot = hudView->subviews();
    for (const auto& sub : snapshot)
      if (sub->className() == "_UIBackdropView" || sub->className() == "UIView") sub->removeFromSuperview();
    return view;
  });
}

}  // namespace tarvo
