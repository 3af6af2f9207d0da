// The messages UIView, UIWindow, UILabel and UIImageView answer through the runtime.
#include "platform/uikit/hit_testing.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/receiver_cast.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

void defineUIView(rt::Class& view) {
  rt::defineMethod<rt::Id()>(view, "init", [](const rt::Id& self) {
    return rt::send<rt::Id(CGRect)>(self, "initWithFrame:", CGRectZero);
  });
  rt::defineMethod<rt::Id(CGRect)>(view, "initWithFrame:", [](const rt::Id& self, CGRect frame) {
    receiverAs<UIView>(self)->setFrame(frame);
    return self;
  });
  rt::defineMethod<void()>(view, "layoutSubviews", [](const rt::Id&) {});
  rt::defineMethod<void()>(view, "setNeedsLayout",
                           [](const rt::Id& self) { receiverAs<UIView>(self)->setNeedsLayout(); });
  rt::defineMethod<void()>(view, "layoutIfNeeded",
                           [](const rt::Id& self) { receiverAs<UIView>(self)->layoutIfNeeded(); });
  rt::defineMethod<bool(CGPoint, rt::Id)>(
      view, "pointInside:withEvent:", [](const rt::Id& self, CGPoint p, rt::Id) {
        return CGRectContainsPoint(receiverAs<UIView>(self)->bounds(), p);
      });
  rt::defineMethod<rt::Id(CGPoint, rt::Id)>(
      view, "hitTest:withEvent:", [](const rt::Id& self, CGPoint p, rt::Id e) {
        return defaultHitTest(receiverAs<UIView>(self), p, e);
      });

  rt::defineMethod<CGRect()>(view, "frame",
                             [](const rt::Id& self) { return receiverAs<UIView>(self)->frame(); });
  rt::defineMethod<void(CGRect)>(
      view, "setFrame:", [](const rt::Id& self, CGRect r) { receiverAs<UIView>(self)->setFrame(r); });
  rt::defineMethod<CGRect()>(view, "bounds",
                             [](const rt::Id& self) { return receiverAs<UIView>(self)->bounds(); });
  rt::defineMethod<void(CGRect)>(
      view, "setBounds:", [](const rt::Id& self, CGRect r) { receiverAs<UIView>(self)->setBounds(r); });
  rt::defineMethod<CGPoint()>(view, "center",
                              [](const rt::Id& self) { return receiverAs<UIView>(self)->center(); });
  rt::defineMethod<void(CGPoint)>(
      view, "setCenter:", [](const rt::Id& self, CGPoint p) { receiverAs<UIView>(self)->setCenter(p); });
  rt::defineMethod<CGAffineTransform()>(
      view, "transform", [](const rt::Id& self) { return receiverAs<UIView>(self)->transform(); });
  rt::defineMethod<void(CGAffineTransform)>(view,
                                            "setTransform:", [](const rt::Id& self, CGAffineTransform t) {
                                              receiverAs<UIView>(self)->setTransform(t);
                                            });
  rt::defineMethod<double()>(view, "alpha",
                             [](const rt::Id& self) { return receiverAs<UIView>(self)->alpha(); });
  rt::defineMethod<void(double)>(
      view, "setAlpha:", [](const rt::Id& self, double a) { receiverAs<UIView>(self)->setAlpha(a); });
  rt::defineMethod<bool()>(view, "isHidden",
                           [](const rt::Id& self) { return receiverAs<UIView>(self)->isHidden(); });
  rt::defineMethod<void(bool)>(
      view, "setHidden:", [](const rt::Id& self, bool h) { receiverAs<UIView>(self)->setHidden(h); });
  rt::defineMethod<std::optional<UIColor>()>(view, "backgroundColor", [](const rt::Id& self) {
    return receiverAs<UIView>(self)->backgroundColor();
  });
  rt::defineMethod<void(std::optional<UIColor>)>(
      view, "setBackgroundColor:", [](const rt::Id& self, std::optional<UIColor> c) {
        receiverAs<UIView>(self)->setBackgroundColor(c);
      });
  rt::defineMethod<void(rt::Id)>(view, "addSubview:", [](const rt::Id& self, rt::Id sub) {
    receiverAs<UIView>(self)->addSubview(rt::cast<UIView>(sub));
  });
  rt::defineMethod<void()>(view, "removeFromSuperview",
                           [](const rt::Id& self) { receiverAs<UIView>(self)->removeFromSuperview(); });
  rt::defineMethod<rt::Id()>(
      view, "superview", [](const rt::Id& self) -> rt::Id { return receiverAs<UIView>(self)->superview(); });
  rt::defineMethod<rt::Id()>(view, "window",
                             [](const rt::Id& self) -> rt::Id { return receiverAs<UIView>(self)->window(); });
}

void defineUIWindow(rt::Class& window) {
  rt::defineMethod<void(bool)>(window, "_setSecure:", [](const rt::Id& self, bool secure) {
    receiverAs<UIWindow>(self)->setSecure(secure);
  });
  rt::defineMethod<void()>(window, "makeKeyAndVisible",
                           [](const rt::Id& self) { receiverAs<UIWindow>(self)->makeKeyAndVisible(); });
  rt::defineMethod<double()>(window, "windowLevel",
                             [](const rt::Id& self) { return receiverAs<UIWindow>(self)->windowLevel(); });
  rt::defineMethod<void(double)>(window, "setWindowLevel:", [](const rt::Id& self, double level) {
    receiverAs<UIWindow>(self)->setWindowLevel(level);
  });
}

void defineUILabel(rt::Class& label) {
  rt::defineMethod<std::string()>(label, "text",
                                  [](const rt::Id& self) { return receiverAs<UILabel>(self)->text(); });
  rt::defineMethod<void(std::string)>(label, "setText:", [](const rt::Id& self, std::string text) {
    receiverAs<UILabel>(self)->setText(std::move(text));
  });
}

void defineUIImageView(rt::Class& imageView) {
  rt::defineMethod<rt::Id(UIImagePtr)>(imageView, "initWithImage:", [](const rt::Id& self, UIImagePtr image) {
    CGRect frame{CGPointZero, image ? image->size() : CGSizeZero};
    rt::Id made = rt::send<rt::Id(CGRect)>(self, "initWithFrame:", frame);
    if (auto view = rt::cast<UIImageView>(made)) view->setImage(std::move(image));
    return made;
  });
  rt::defineMethod<UIImagePtr()>(imageView, "image",
                                 [](const rt::Id& self) { return receiverAs<UIImageView>(self)->image(); });
  rt::defineMethod<void(UIImagePtr)>(imageView, "setImage:", [](const rt::Id& self, UIImagePtr image) {
    receiverAs<UIImageView>(self)->setImage(std::move(image));
  });
}

}  // namespace

void defineViewMessages(rt::Runtime& runtime) {
  defineUIView(runtime.requireClass("UIView"));
  defineUIWindow(runtime.requireClass("UIWindow"));
  defineUILabel(runtime.requireClass("UILabel"));
  defineUIImageView(runtime.requireClass("UIImageView"));
}

}  // namespace platform
