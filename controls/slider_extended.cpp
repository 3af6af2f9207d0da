#include "controls/slider_extended.h"

#include "platform/graphics/geometry.h"
#include "platform/runtime/message.h"
#include "platform/uikit/view.h"
#include "settings/settings.h"

namespace tarvo {

using platform::CGPoint;
using platform::CGRect;

void registerSliderExtendedClass(rt::Runtime& runtime, const Settings& settings) {
  rt::Class& cls = runtime.registerClass("UISliderExtended", "UISlider");
  // In the order the class declares them.
  rt::defineMethod<bool(CGPoint, rt::Id)>(cls, "pointInside:withEvent:", [](const rt::Id& self, CGPoint point, rt::Id) {
    CGRect bounds = rt::cast<platform::UIView>(self)->bounds();
    return platform::CGRectContainsPoint(platform::CGRectInset(bounds, -20, -20), point);
  });
  rt::defineMethod<CGRect(CGRect)>(cls, "maximumValueImageRectForBounds:", [&cls](const rt::Id& self, CGRect bounds) {
    return rt::sendSuper<CGRect(CGRect)>(self, cls, "maximumValueImageRectForBounds:", bounds);
  });
  rt::defineMethod<CGRect(CGRect)>(cls, "minimumValueImageRectForBounds:", [&cls](const rt::Id& self, CGRect bounds) {
    return rt::sendSuper<CGRect(CGRect)>(self, cls, "minimumValueImageRectForBounds:", bounds);
  });
  rt::defineMethod<rt::Id(CGRect)>(cls, "initWithFrame:", [&cls](const rt::Id& self, CGRect frame) {
    rt::Id made = rt::sendSuper<rt::Id(CGRect)>(self, cls, "initWithFrame:", frame);
    if (auto view = rt::cast<platform::UIView>(made)) view->setTranslatesAutoresizingMaskIntoConstraints(true);
    return made;
  });
  // From the left edge, the bounds' own y, the full width, and the configured height.
  rt::defineMethod<CGRect(CGRect)>(cls, "trackRectForBounds:", [&settings](const rt::Id&, CGRect bounds) {
    return CGRect{{0, bounds.origin.y}, {bounds.size.width, settings.HEIGHT}};
  });
  rt::defineMethod<void()>(cls, "layoutSubviews", [&cls](const rt::Id& self) {
    rt::sendSuper<void()>(self, cls, "layoutSubviews");
  });
}

}  // namespace tarvo
