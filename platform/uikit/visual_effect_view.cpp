#include "platform/uikit/visual_effect_view.h"

#include "platform/device/process.h"
#include "platform/runtime/message.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

std::shared_ptr<UIView> UIVisualEffectView::contentView() {
  if (!contentView_) {
    contentView_ = makeView<UIView>(process(), "UIView", CGRect{CGPointZero, bounds().size});
    contentView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    addSubview(contentView_);
  }
  return contentView_;
}

std::shared_ptr<UIVisualEffectView> makeVisualEffectView(Process& process,
                                                         std::optional<UIVisualEffect> effect,
                                                         std::string_view className) {
  rt::Class* cls = uikitClass(process, className);
  if (!cls) return nullptr;
  rt::Id made = rt::send<rt::Id()>(rt::classObject(*cls), "alloc");
  return rt::cast<UIVisualEffectView>(
      rt::send<rt::Id(std::optional<UIVisualEffect>)>(made, "initWithEffect:", std::move(effect)));
}

}  // namespace platform
