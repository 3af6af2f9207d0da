#include "platform/device/foundation_classes.h"

#include "platform/device/timer.h"
#include "platform/runtime/message.h"

namespace platform {

void registerFoundationClasses(rt::Runtime& runtime) {
  rt::Class& object = runtime.registerClass("NSObject");
  object.setAllocator([](rt::Class& cls) { return std::make_shared<rt::Object>(cls); });
  rt::defineMethod<rt::Id()>(object.metaclass(), "alloc", [](const rt::Id& cls) {
    return static_cast<rt::Class&>(*cls).allocate();
  });
  rt::defineMethod<rt::Id()>(object, "init", [](const rt::Id& self) { return self; });
  rt::defineMethod<std::string()>(object, "description", [](const rt::Id& self) { return self->description(); });

  rt::Class& timer = runtime.registerClass("NSTimer", "NSObject");
  timer.setAllocator([](rt::Class& cls) { return std::make_shared<NSTimer>(cls); });
  rt::defineMethod<void()>(timer, "invalidate", [](const rt::Id& self) { rt::cast<NSTimer>(self)->invalidate(); });
}

rt::Id allocInit(rt::Class& cls) {
  rt::Id obj = rt::send<rt::Id()>(rt::classObject(cls), "alloc");
  return rt::send<rt::Id()>(obj, "init");
}

}  // namespace platform
