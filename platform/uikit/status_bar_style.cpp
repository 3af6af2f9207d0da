#include "platform/uikit/status_bar_style.h"

#include "platform/runtime/message.h"

namespace platform {

void registerStatusBarStyleClasses(rt::Runtime& runtime) {
  rt::Class& attributes = runtime.registerClass("UIStatusBarStyleAttributes", "NSObject");
  attributes.setAllocator([](rt::Class& cls) { return std::make_shared<UIStatusBarStyleAttributes>(cls); });
  attributes.addIvar("_foregroundStyle", &UIStatusBarStyleAttributes::foregroundStyle);

  rt::Class& foreground = runtime.registerClass("UIStatusBarForegroundStyleAttributes", "NSObject");
  foreground.setAllocator(
      [](rt::Class& cls) { return std::make_shared<UIStatusBarForegroundStyleAttributes>(cls); });
  rt::defineMethod<std::optional<UIColor>()>(foreground, "tintColor", [](const rt::Id& self) {
    auto style = rt::cast<UIStatusBarForegroundStyleAttributes>(self);
    return style ? style->tint : std::nullopt;
  });
}

}  // namespace platform
