// The messages controls, sliders, effect views, gesture recognisers, the screen and the application answer
// through the runtime.
#include "platform/uikit/application.h"
#include "platform/uikit/gesture_recognizer.h"
#include "platform/uikit/receiver_cast.h"
#include "platform/uikit/screen.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/visual_effect_view.h"

namespace platform {

namespace {

void defineUIControl(rt::Class& control) {
  rt::defineMethod<void(rt::Id, std::string, unsigned long)>(
      control, "addTarget:action:forControlEvents:",
      [](const rt::Id& self, rt::Id target, std::string action, unsigned long events) {
        receiverAs<UIControl>(self)->addTarget(target, std::move(action), events);
      });
  rt::defineMethod<void(unsigned long)>(
      control, "sendActionsForControlEvents:", [](const rt::Id& self, unsigned long e) {
        receiverAs<UIControl>(self)->sendActionsForControlEvents(e);
      });
}

void defineUISlider(rt::Class& slider) {
  rt::defineMethod<CGRect(CGRect)>(slider, "trackRectForBounds:", [](const rt::Id& self, CGRect bounds) {
    return receiverAs<UISlider>(self)->defaultTrackRect(bounds);
  });
  rt::defineMethod<CGRect(CGRect)>(slider,
                                   "minimumValueImageRectForBounds:", [](const rt::Id& self, CGRect bounds) {
                                     return receiverAs<UISlider>(self)->defaultMinimumValueImageRect(bounds);
                                   });
  rt::defineMethod<CGRect(CGRect)>(slider,
                                   "maximumValueImageRectForBounds:", [](const rt::Id& self, CGRect bounds) {
                                     return receiverAs<UISlider>(self)->defaultMaximumValueImageRect(bounds);
                                   });
  rt::defineMethod<CGRect(CGRect, CGRect, float)>(
      slider, "thumbRectForBounds:trackRect:value:",
      [](const rt::Id& self, CGRect bounds, CGRect track, float value) {
        return receiverAs<UISlider>(self)->defaultThumbRect(bounds, track, value);
      });
  rt::defineMethod<float()>(slider, "value",
                            [](const rt::Id& self) { return receiverAs<UISlider>(self)->value(); });
  rt::defineMethod<void(float)>(
      slider, "setValue:", [](const rt::Id& self, float v) { receiverAs<UISlider>(self)->setValue(v); });
  rt::defineMethod<void(float, bool)>(slider,
                                      "setValue:animated:", [](const rt::Id& self, float v, bool animated) {
                                        receiverAs<UISlider>(self)->setValue(v, animated);
                                      });
}

void defineUIVisualEffectView(rt::Class& effectView) {
  rt::defineMethod<rt::Id(CGRect)>(
      effectView, "initWithFrame:", [&effectView](const rt::Id& self, CGRect frame) {
        rt::Id made = rt::sendSuper<rt::Id(CGRect)>(self, effectView, "initWithFrame:", frame);
        if (auto view = rt::cast<UIVisualEffectView>(made)) view->contentView();
        return made;
      });
  rt::defineMethod<rt::Id(std::optional<UIVisualEffect>)>(
      effectView, "initWithEffect:", [](const rt::Id& self, std::optional<UIVisualEffect> effect) {
        rt::Id made = rt::send<rt::Id(CGRect)>(self, "initWithFrame:", CGRectZero);
        if (auto view = rt::cast<UIVisualEffectView>(made)) view->setEffect(effect);
        return made;
      });
}

void defineGestureRecognizers(rt::Class& recognizer) {
  rt::defineMethod<rt::Id(rt::Id, std::string)>(
      recognizer, "initWithTarget:action:", [](const rt::Id& self, rt::Id target, std::string action) {
        receiverAs<UIGestureRecognizer>(self)->addTarget(target, std::move(action));
        return self;
      });
  rt::defineMethod<void(rt::Id, std::string)>(
      recognizer, "addTarget:action:", [](const rt::Id& self, rt::Id target, std::string action) {
        receiverAs<UIGestureRecognizer>(self)->addTarget(target, std::move(action));
      });
  rt::defineMethod<rt::Id()>(recognizer, "view", [](const rt::Id& self) -> rt::Id {
    return receiverAs<UIGestureRecognizer>(self)->view();
  });
}

Process& processOfClass(const rt::Id& classObject) {
  return *static_cast<rt::Class&>(*classObject).owner().process();
}

void defineUIScreen(rt::Class& screen) {
  rt::defineMethod<rt::Id()>(screen.metaclass(), "mainScreen", [](const rt::Id& cls) -> rt::Id {
    return UIScreen::mainScreen(processOfClass(cls));
  });
  rt::defineMethod<CGRect()>(screen, "bounds",
                             [](const rt::Id& self) { return receiverAs<UIScreen>(self)->bounds(); });
  rt::defineMethod<double()>(screen, "scale",
                             [](const rt::Id& self) { return receiverAs<UIScreen>(self)->scale(); });
}

void defineUIApplication(rt::Class& application) {
  rt::defineMethod<rt::Id()>(application, "init", [](const rt::Id& self) { return self; });
  rt::defineMethod<rt::Id()>(application.metaclass(), "sharedApplication", [](const rt::Id& cls) -> rt::Id {
    return UIApplication::sharedApplication(processOfClass(cls));
  });
  rt::defineMethod<long()>(application, "userInterfaceLayoutDirection", [](const rt::Id& self) -> long {
    return receiverAs<UIApplication>(self)->userInterfaceLayoutDirection();
  });
}

}  // namespace

void defineControlMessages(rt::Runtime& runtime) {
  defineUIControl(runtime.requireClass("UIControl"));
  defineUISlider(runtime.requireClass("UISlider"));
  defineUIVisualEffectView(runtime.requireClass("UIVisualEffectView"));
  defineGestureRecognizers(runtime.requireClass("UIGestureRecognizer"));
  defineUIScreen(runtime.requireClass("UIScreen"));
  defineUIApplication(runtime.requireClass("UIApplication"));
}

}  // namespace platform
