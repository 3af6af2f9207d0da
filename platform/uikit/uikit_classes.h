#pragma once
// UIKit's runtime classes, and making views through the runtime so that initialisers registered there
// (a subclass's initWithFrame:, a replaced one) run.
#include <memory>
#include <string_view>

#include "platform/device/process.h"
#include "platform/graphics/geometry.h"
#include "platform/runtime/message.h"

namespace platform {

class UIWindow;

// Registers UIResponder, UIView, UIWindow, UILabel, UIImageView, UIControl, UISlider, UIVisualEffectView,
// UIGestureRecognizer, UITapGestureRecognizer, UIScreen, UIImage and UIApplication (under NSObject), and the status bar
// classes (see status_bar.h), each with an allocator making its C++ type, so that runtime subclasses registered
// later make the right object.
// Registering into a runtime that has them already does nothing.
void registerUIKitClasses(rt::Runtime& runtime);

// What a process linking UIKit does at launch: registers UIKit's classes into its runtime (once). Classes
// registered under UIKit's need this first.
void loadUIKit(Process& process);

// The class of that name in the process's runtime, UIKit's classes registered first if need be; nullptr when
// there is no such class.
rt::Class* uikitClass(Process& process, std::string_view className);

// alloc, then initWithFrame: through the runtime. Nil when the class is missing or is not a T.
template <class T>
std::shared_ptr<T> makeView(Process& process, std::string_view className, CGRect frame) {
  rt::Class* cls = uikitClass(process, className);
  if (!cls) return nullptr;
  rt::Id made = rt::send<rt::Id()>(rt::classObject(*cls), "alloc");
  return rt::cast<T>(rt::send<rt::Id(CGRect)>(made, "initWithFrame:", frame));
}

std::shared_ptr<UIWindow> makeWindow(Process& process, CGRect frame, std::string_view className = "UIWindow");

// The runtime messages of each group of classes.
void defineViewMessages(rt::Runtime& runtime);
void defineControlMessages(rt::Runtime& runtime);

}  // namespace platform
