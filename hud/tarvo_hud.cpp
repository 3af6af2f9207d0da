#include "hud/tarvo_hud.h"

#include "hud/status_bar_requests.h"
#include "hud/tarvo12.h"
#include "settings/settings.h"
#include "platform/device/timer.h"
#include "platform/runtime/message.h"
#include "platform/uikit/gesture_recognizer.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/view.h"
#include "platform/uikit/window.h"

namespace tarvo {

namespace {
std::shared_ptr<TarvoHUD> hud(const rt::Id& self) { return rt::cast<TarvoHUD>(self); }
}  // namespace

void registerTarvoHUDClass(rt::Runtime& runtime, Tarvo12& lib) {
  rt::Class& cls = runtime.registerClass("TarvoHUD", "NSObject");
  cls.setAllocator([&lib](rt::Class& c) { return std::make_shared<TarvoHUD>(c, lib); });
  using rt::Id;
  using platform::PlistDict;
  using platform::UIColor;
  // In the class's own order.
  rt::defineMethod<void()>(cls, "resetTimer", [](const Id& s) { hud(s)->resetTimer(); });
  rt::defineMethod<void(Id)>(cls, "tarvoHUDSliderMoved:", [](const Id& s, Id a) { hud(s)->tarvoHUDSliderMoved(a); });
  rt::defineMethod<void()>(cls, "createTarvoHUD", [](const Id& s) { hud(s)->createTarvoHUD(); });
  rt::defineMethod<void(int)>(cls, "presentTarvoHUD:", [](const Id& s, int m) {
    hud(s)->presentTarvoHUD(static_cast<VolumeMode>(m));
  });
  rt::defineMethod<void(Id)>(cls, "tarvoHUDShouldShow:", [](const Id& s, Id a) { hud(s)->tarvoHUDShouldShow(a); });
  rt::defineMethod<void(Id)>(cls, "tarvoHUDShouldHide:", [](const Id& s, Id a) { hud(s)->tarvoHUDShouldHide(a); });
  rt::defineMethod<void()>(cls, "showTarvoHUD", [](const Id& s) { hud(s)->showTarvoHUD(); });
  rt::defineMethod<void()>(cls, "hideTarvoHUD", [](const Id& s) { hud(s)->hideTarvoHUD(); });
  rt::defineMethod<void()>(cls, "hideTimeX", [](const Id& s) { hud(s)->hideTimeX(); });
  rt::defineMethod<void()>(cls, "showTimeX", [](const Id& s) { hud(s)->showTimeX(); });
  rt::defineMethod<void()>(cls, "hideStatusbar", [](const Id& s) { hud(s)->hideStatusbar(); });
  rt::defineMethod<void()>(cls, "showStatusbar", [](const Id& s) { hud(s)->showStatusbar(); });
  rt::defineMethod<void(Id)>(cls, "addGestureToView:", [](const Id& s, Id view) {
    hud(s)->addGestureToView(rt::cast<platform::UIView>(view));
  });
  rt::defineMethod<void(Id)>(cls, "removeGestureFromView:", [](const Id& s, Id view) {
    hud(s)->removeGestureFromView(rt::cast<platform::UIView>(view));
  });
  rt::defineMethod<void(Id)>(cls, "tapToDismiss:", [](const Id& s, Id a) { hud(s)->tapToDismiss(a); });
  rt::defineMethod<void()>(cls, "createElements", [](const Id& s) { hud(s)->createElements(); });
  rt::defineMethod<void()>(cls, "createIndicators", [](const Id& s) { hud(s)->createIndicators(); });
  rt::defineMethod<void()>(cls, "adjustColors", [](const Id& s) { hud(s)->adjustColors(); });
  rt::defineMethod<void(long long, bool)>(cls, "adjustViewsForOrientation:animated:",
                                          [](const Id& s, long long o, bool a) {
                                            hud(s)->adjustViewsForOrientation(static_cast<InterfaceOrientation>(o), a);
                                          });
  rt::defineMethod<void(PlistDict)>(cls, "saveStatusColor:",
                                    [](const Id& s, PlistDict info) { hud(s)->saveStatusColor(info); });
  // Answered as an optional so that a message to nil can answer nil.
  rt::defineMethod<std::optional<UIColor>(std::string, std::string)>(
      cls, "colorFromPreferenceKey:fallback:", [](const Id& s, std::string key, std::string fallback) {
        return std::optional<UIColor>(hud(s)->colorFromPreferenceKey(key, fallback));
      });
}

void TarvoHUD::resetTimer() {
  auto& state = lib_.lifecycle;
  if (state.timer) state.timer->invalidate();
  state.timer.reset();
  scheduleHideTimer();
}

void TarvoHUD::scheduleHideTimer() {
  // The sum is taken in single precision, as the settings are, then widened.
  float interval = lib_.settings.DURATIONDISPLAY + lib_.settings.DURATIONANIMATION;
  lib_.lifecycle.timer = platform::NSTimer::scheduledTimer(lib_.process, static_cast<double>(interval),
                                                           lib_.tarvoHUD, "tarvoHUDShouldHide:", nullptr, false);
}

void TarvoHUD::tarvoHUDSliderMoved(const rt::Id&) { rt::send<void()>(lib_.tarvoHUD, "resetTimer"); }

void TarvoHUD::presentTarvoHUD(VolumeMode mode) {
  auto& v = lib_.views;
  const auto& s = lib_.settings;
  lib_.volume.tarvoVolumeMode = mode;
  if (v.tarvoHUDSlider) {
    v.tarvoHUDSlider->setMinimumValue(mode == VolumeMode::Ringer ? 0.0625f : 0.0f);
    v.tarvoHUDSlider->setUserInteractionEnabled(false);
  }
  addGestureToView(v.tarvoHUDView);
  if (v.tarvoHUDWindow) v.tarvoHUDWindow->layer().setShadowOpacity(s.DROPDSHADOW ? 0.5 : 0.0);
  if (s.BLUR) {
    if (v.tarvoBlurEffectView) v.tarvoBlurEffectView->setAlpha(1);
  } else {
    if (v.tarvoBlurEffectView) v.tarvoBlurEffectView->setAlpha(0);
    if (v.tarvoVibrancyEffectView) v.tarvoVibrancyEffectView->setAlpha(0);
  }
  if (s.OVERLAYBACKGROUND) {
    if (v.tarvoHUDLabel) v.tarvoHUDLabel->setTextAlignment(platform::NSTextAlignmentRight);
    if (v.tarvoHUDView) v.tarvoHUDView->setBackgroundColor(colorFromPreferenceKey(kOverlayColor.key, kOverlayColor.fallback));
  } else {
    if (v.tarvoHUDLabel) v.tarvoHUDLabel->setTextAlignment(platform::NSTextAlignmentLeft);
    if (v.tarvoHUDView) v.tarvoHUDView->setBackgroundColor(platform::UIColor::clearColor());
  }
  // An empty thumb image: no thumb is drawn.
  if (v.tarvoHUDSlider) v.tarvoHUDSlider->setThumbImage(platform::UIImage::emptyImage(), platform::UIControlStateNormal);
  tarvoHUDShouldShow(nullptr);
}

void TarvoHUD::tarvoHUDShouldShow(const rt::Id&) {
  showTarvoHUD();
  adjustColors();
  if (!lib_.lifecycle.timer) scheduleHideTimer();
}

void TarvoHUD::tarvoHUDShouldHide(const rt::Id&) { hideTarvoHUD(); }

void TarvoHUD::showTarvoHUD() {
  hideStatusBarItemsForShow(lib_, *this);
  auto window = lib_.views.tarvoHUDWindow;
  if (window) {
    window->setHidden(false);
    if (!lib_.settings.ANIMATIONFADE) window->setAlpha(1);
  }
  const double duration = lib_.settings.DURATIONANIMATION;
  platform::UIView::animateWithDuration(
      lib_.process, duration, duration * 0.5, 0,
      [this, window] {
        if (lib_.settings.ANIMATIONFADE && window) window->setAlpha(1);
      },
      [](bool) {});
}

void TarvoHUD::hideTarvoHUD() {
  lib_.lifecycle.isHiding = true;
  auto window = lib_.views.tarvoHUDWindow;
  auto controller = std::static_pointer_cast<TarvoHUD>(self());
  platform::UIView::animateWithDuration(
      lib_.process, lib_.settings.DURATIONANIMATION, 0, 0,
      [this, window] {
        if (lib_.settings.ANIMATIONFADE && window) window->setAlpha(0);
      },
      [controller](bool) { controller->hideCompleted(); });
}

void TarvoHUD::hideCompleted() {
  auto& state = lib_.lifecycle;
  if (lib_.views.tarvoHUDWindow) lib_.views.tarvoHUDWindow->setHidden(true);
  if (state.timer) state.timer->invalidate();
  state.timer.reset();
  state.isHiding = false;
  restoreStatusBarItemsAfterHide(lib_, *this);
}

void TarvoHUD::addGestureToView(const std::shared_ptr<platform::UIView>& view) {
  if (!view) return;
  // One recogniser serves every presentation: a new one per presentation would pile up for good.
  if (auto existing = lib_.lifecycle.gesture.lock(); existing && existing->view() == view) return;
  auto recognizer = platform::makeTapGestureRecognizer(lib_.process, self(), "tapToDismiss:");
  lib_.lifecycle.gesture = recognizer;
  view->addGestureRecognizer(recognizer);
}

void TarvoHUD::removeGestureFromView(const std::shared_ptr<platform::UIView>& view) {
  if (auto recognizer = lib_.lifecycle.gesture.lock(); recognizer && view) view->removeGestureRecognizer(recognizer);
}

void TarvoHUD::tapToDismiss(const rt::Id&) {
  auto& state = lib_.lifecycle;
  if (state.timer) {
    state.timer->invalidate();
    state.timer.reset();
  }
  tarvoHUDShouldHide(nullptr);
}

}  // namespace tarvo
