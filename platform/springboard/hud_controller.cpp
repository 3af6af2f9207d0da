#include "platform/springboard/hud_controller.h"

#include <cmath>

#include "platform/device/device.h"
#include "platform/runtime/message.h"
#include "platform/springboard/shared_instances.h"
#include "platform/uikit/label.h"
#include "platform/uikit/screen.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

constexpr double kViewSide = 154;
constexpr int kBlocks = 16;
constexpr double kFadeOut = 0.2;
constexpr double kPi = 3.14159265358979323846;

double rotationFor(std::int64_t orientation) {
  switch (orientation) {
    case 2: return kPi;
    case 3: return kPi / 2;
    case 4: return -kPi / 2;
    default: return 0;
  }
}

// The stock look: a rounded backdrop, and inside a plain view a title and sixteen level blocks.
std::shared_ptr<SBHUDView> makeStockView(Process& process, std::string_view className, const std::string& title) {
  auto view = makeView<SBHUDView>(process, className, CGRect{{0, 0}, {kViewSide, kViewSide}});
  if (!view) return nullptr;
  auto backdrop = makeView<UIView>(process, "_UIBackdropView", view->bounds());
  backdrop->setBackgroundColor(UIColor::colorWithWhite(0.85, 0.92));
  backdrop->layer().setCornerRadius(12);
  view->addSubview(backdrop);
  view->content = makeView<UIView>(process, "UIView", view->bounds());
  auto label = makeView<UILabel>(process, "UILabel", CGRect{{0, 96}, {kViewSide, 22}});
  label->setText(title);
  label->setTextAlignment(NSTextAlignmentCenter);
  label->setFont(UIFont::boldSystemFontOfSize(15));
  label->setTextColor(UIColor::colorWithWhite(0.2, 1));
  view->content->addSubview(label);
  const double blockWidth = 7, gap = 1, total = kBlocks * (blockWidth + gap) - gap;
  for (int i = 0; i < kBlocks; ++i) {
    auto block = makeView<UIView>(process, "UIView",
                                  CGRect{{(kViewSide - total) / 2 + i * (blockWidth + gap), 128}, {blockWidth, 6}});
    block->setTag(i + 1);
    view->content->addSubview(block);
  }
  view->addSubview(view->content);
  return view;
}

void showLevel(SBHUDView& view) {
  if (!view.content) return;
  // NaN shows no block; anything else rounds to the nearest sixteenth.
  double filled = std::isnan(view.progress) ? 0 : std::round(std::fmin(std::fmax(view.progress, 0.0f), 1.0f) * kBlocks);
  for (const auto& sub : view.content->subviews()) {
    long tag = sub->tag();
    if (tag < 1) continue;
    sub->setBackgroundColor(tag <= filled ? UIColor::colorWithWhite(0.15, 1) : UIColor::colorWithWhite(0.6, 0.5));
  }
}

std::shared_ptr<SBHUDController> controller(const rt::Id& self) { return rt::cast<SBHUDController>(self); }

}  // namespace

std::shared_ptr<SBHUDView> SBHUDController::volumeHUDView(std::int32_t mode) {
  if (!volumeView_) volumeView_ = makeStockView(process(), "SBVolumeHUDView", "Volume");
  if (volumeView_) volumeView_->mode = mode;
  return volumeView_;
}

std::shared_ptr<SBHUDView> SBHUDController::ringerHUDView(bool silent) {
  if (!ringerView_) ringerView_ = makeStockView(process(), "SBRingerHUDView", "Ringer");
  if (!ringerView_) return nullptr;
  ringerView_->silent = silent;
  for (const auto& sub : ringerView_->content->subviews())
    if (auto label = std::dynamic_pointer_cast<UILabel>(sub)) label->setText(silent ? "Silent" : "Ringer");
  return ringerView_;
}

std::shared_ptr<SBHUDView> SBHUDController::otherHUDView(const std::string& className) {
  rt::Runtime& runtime = process().runtime();
  if (!runtime.lookUpClass(className)) runtime.registerClass(className, "SBHUDView");
  if (!runtime.requireClass(className).isSubclassOf(runtime.requireClass("SBHUDView"))) return nullptr;
  auto made = otherViews_.find(className);
  if (made == otherViews_.end())
    made = otherViews_.emplace(className, makeStockView(process(), className, className)).first;
  return made->second;
}

void presentOtherHUDView(Process& springBoard, const std::string& className, double delay) {
  auto hud = sharedHUDController(springBoard);
  if (!hud) return;
  auto view = hud->otherHUDView(className);
  if (!view) return;
  rt::send<void(rt::Id, double)>(hud, "presentHUDView:autoDismissWithDelay:", rt::Id(view), delay);
}

std::shared_ptr<UIWindow> SBHUDController::ensureWindow() {
  if (!window_) {
    CGRect screen = UIScreen::mainScreen(process())->bounds();
    window_ = makeWindow(process(), screen, "SBHUDWindow");
    window_->setWindowLevel(kWindowLevel);
    window_->setBackgroundColor(UIColor::clearColor());
    window_->setHidden(true);
    window_->setUserInteractionEnabled(false);
  }
  return window_;
}

void SBHUDController::present(const rt::Id& view, double dismissAfter) {
  auto hudView = rt::cast<UIView>(view);
  if (!hudView) return;
  auto window = ensureWindow();
  if (auto old = rt::cast<UIView>(presented_); old && old != hudView) old->removeFromSuperview();
  presented_ = view;
  window->addSubview(hudView);
  window->cancelAnimation(AnimatableProperty::Alpha);
  window->setAlpha(1);
  window->setHidden(false);
  PlistDict f;
  f.set("view", view->className());
  f.set("delay", dismissAfter);
  // What is left of the stock view once the library has stripped it, in order.
  PlistArray subviews;
  for (const auto& sub : hudView->subviews()) subviews.push_back(PlistValue(sub->className()));
  f.set("subviews", PlistValue(std::move(subviews)));
  process().trace("hud.present", std::move(f));
  rt::send<void()>(self(), "_recenterHUDView");
  std::uint64_t presentation = ++presentation_;
  auto me = std::static_pointer_cast<SBHUDController>(self());
  double delay = std::isfinite(dismissAfter) && dismissAfter > 0 ? dismissAfter : kAutoDismissDelay;
  process().runLoop().schedule(process().now() + secondsToNanos(delay), [me, presentation] { me->dismiss(presentation); });
}

void SBHUDController::dismiss(std::uint64_t presentation) {
  if (presentation != presentation_ || !window_) return;  // presented again since
  auto window = window_;
  auto me = std::static_pointer_cast<SBHUDController>(self());
  UIView::animateWithDuration(
      process(), kFadeOut, 0, 0, [window] { window->setAlpha(0); },
      [me, window, presentation](bool) {
        if (presentation != me->presentation_) return;
        window->setHidden(true);
        if (auto view = rt::cast<UIView>(me->presented_)) view->removeFromSuperview();
        me->presented_.reset();
        me->process().trace("hud.dismiss", {});
      });
}

void SBHUDController::recenter() {
  auto view = rt::cast<UIView>(presented_);
  if (!view || !window_) return;
  CGRect screen = window_->bounds();
  view->setTransform(CGAffineTransformMakeRotation(rotationFor(orientation)));
  view->setCenter(CGPoint{CGRectGetMidX(screen), CGRectGetMidY(screen)});
}

void registerHUDControllerClasses(rt::Runtime& runtime) {
  runtime.registerClass("_UIBackdropView", "UIView");
  // The stock HUD's own window, named as the shell names it so that traces tell it from others.
  runtime.registerClass("SBHUDWindow", "UIWindow");
  rt::Class& hudView = runtime.registerClass("SBHUDView", "UIView");
  hudView.setAllocator([](rt::Class& c) { return std::make_shared<SBHUDView>(c); });
  rt::Class& volumeView = runtime.registerClass("SBVolumeHUDView", "SBHUDView");
  volumeView.addIvar("_mode", &SBHUDView::mode);
  rt::defineMethod<void(float)>(volumeView, "setProgress:", [](const rt::Id& self, float progress) {
    auto view = rt::cast<SBHUDView>(self);
    view->progress = progress;
    PlistDict f;
    f.set("progress", progress);
    f.set("mode", static_cast<std::int64_t>(view->mode));
    view->process().trace("hud.progress", std::move(f));
    showLevel(*view);
  });
  runtime.registerClass("SBRingerHUDView", "SBHUDView");

  rt::Class& cls = runtime.registerClass("SBHUDController", "NSObject");
  cls.setAllocator([](rt::Class& c) { return std::make_shared<SBHUDController>(c); });
  cls.addIvar("_orientation", &SBHUDController::orientation);
  defineSharedAccessor(cls, "sharedHUDController");
  rt::defineMethod<void(rt::Id)>(cls, "presentHUDView:", [](const rt::Id& self, rt::Id view) {
    controller(self)->present(view, SBHUDController::kAutoDismissDelay);
  });
  rt::defineMethod<void(rt::Id, double)>(cls, "presentHUDView:autoDismissWithDelay:",
                                         [](const rt::Id& self, rt::Id view, double delay) {
                                           controller(self)->present(view, delay);
                                         });
  rt::defineMethod<void()>(cls, "_recenterHUDView", [](const rt::Id& self) {
    auto hud = controller(self);
    PlistDict f;
    f.set("orientation", hud->orientation);
    hud->process().trace("hud.recenter", std::move(f));
    hud->recenter();
  });
  rt::defineMethod<void(bool)>(cls, "reorientHUDIfNeeded:", [](const rt::Id& self, bool needed) {
    auto hud = controller(self);
    PlistDict f;
    f.set("needed", needed);
    f.set("orientation", hud->orientation);
    hud->process().trace("hud.reorient", std::move(f));
    if (needed) hud->recenter();
  });
}

std::shared_ptr<SBHUDController> sharedHUDController(Process& process) {
  return rt::cast<SBHUDController>(sendShared(process, "SBHUDController", "sharedHUDController"));
}

}  // namespace platform
