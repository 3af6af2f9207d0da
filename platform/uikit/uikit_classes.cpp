#include "platform/uikit/uikit_classes.h"

#include "platform/uikit/application.h"
#include "platform/uikit/gesture_recognizer.h"
#include "platform/uikit/image_object.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/screen.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/status_bar.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

template <class T>
void registerWithAllocator(rt::Runtime& runtime, std::string_view name, std::string_view superclass) {
  runtime.registerClass(name, superclass).setAllocator([](rt::Class& cls) {
    return std::make_shared<T>(cls);
  });
}

// Registration happens once per process, the first time anything asks for a UIKit class.
struct UIKitLoaded {
  explicit UIKitLoaded(Process& process) { registerUIKitClasses(process.runtime()); }
};

}  // namespace

void registerUIKitClasses(rt::Runtime& runtime) {
  if (runtime.lookUpClass("UIView")) return;
  registerWithAllocator<UIResponder>(runtime, "UIResponder", "NSObject");
  registerWithAllocator<UIView>(runtime, "UIView", "UIResponder");
  runtime.registerClass("UIWindow", "UIView").setAllocator([](rt::Class& cls) {
    auto window = std::make_shared<UIWindow>(cls);
    if (Process* process = cls.owner().process()) process->service<WindowRegistry>().add(window);
    return window;
  });
  registerWithAllocator<UILabel>(runtime, "UILabel", "UIView");
  registerWithAllocator<UIImageView>(runtime, "UIImageView", "UIView");
  registerWithAllocator<UIControl>(runtime, "UIControl", "UIView");
  registerWithAllocator<UISlider>(runtime, "UISlider", "UIControl");
  registerWithAllocator<UIVisualEffectView>(runtime, "UIVisualEffectView", "UIView");
  registerWithAllocator<UIGestureRecognizer>(runtime, "UIGestureRecognizer", "NSObject");
  registerWithAllocator<UITapGestureRecognizer>(runtime, "UITapGestureRecognizer", "UIGestureRecognizer");
  registerWithAllocator<UIScreen>(runtime, "UIScreen", "NSObject");
  registerWithAllocator<UIImageObject>(runtime, "UIImage", "NSObject");
  rt::Class& application = runtime.registerClass("UIApplication", "UIResponder");
  application.setAllocator([](rt::Class& cls) { return std::make_shared<UIApplication>(cls); });
  application.addIvar("_statusBar", &UIApplication::statusBar);
  defineViewMessages(runtime);
  defineControlMessages(runtime);
  registerStatusBarClasses(runtime);
}

void loadUIKit(Process& process) {
  process.service<UIKitLoaded>();
}

rt::Class* uikitClass(Process& process, std::string_view className) {
  loadUIKit(process);
  return process.runtime().lookUpClass(className);
}

std::shared_ptr<UIWindow> makeWindow(Process& process, CGRect frame, std::string_view className) {
  return makeView<UIWindow>(process, className, frame);
}

}  // namespace platform
