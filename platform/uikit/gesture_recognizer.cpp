#include "platform/uikit/gesture_recognizer.h"

#include <algorithm>

#include "platform/device/process.h"
#include "platform/runtime/message.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

void UIGestureRecognizer::addTarget(const rt::Id& target, std::string action) {
  if (!target || action.empty()) return;
  targets_.push_back({target, std::move(action)});
}

void UIGestureRecognizer::removeTarget(const rt::Id& target, std::string_view action) {
  std::erase_if(targets_, [&](const Target& t) {
    rt::Id held = t.target.lock();
    return (!target || held == target) && (action.empty() || t.action == action);
  });
}

std::size_t UIGestureRecognizer::sendActions() {
  auto self = shared_from_this();
  std::vector<Target> targets = targets_;  // an action may add or remove targets
  std::size_t sent = 0;
  for (const Target& t : targets) {
    if (rt::Id target = t.target.lock()) {
      rt::send<void(rt::Id)>(target, t.action, rt::Id(self));
      ++sent;
    }
  }
  return sent;
}

std::shared_ptr<UITapGestureRecognizer> makeTapGestureRecognizer(Process& process, const rt::Id& target,
                                                                 std::string action,
                                                                 std::string_view className) {
  rt::Class* cls = uikitClass(process, className);
  if (!cls) return nullptr;
  rt::Id made = rt::send<rt::Id()>(rt::classObject(*cls), "alloc");
  return rt::cast<UITapGestureRecognizer>(
      rt::send<rt::Id(rt::Id, std::string)>(made, "initWithTarget:action:", target, std::move(action)));
}

}  // namespace platform
