#include "platform/uikit/control.h"

#include <algorithm>

#include "platform/runtime/message.h"

namespace platform {

unsigned long UIControl::state() const {
  unsigned long state = UIControlStateNormal;
  if (highlighted_) state |= UIControlStateHighlighted;
  if (!enabled_) state |= UIControlStateDisabled;
  if (selected_) state |= UIControlStateSelected;
  return state;
}

void UIControl::addTarget(const rt::Id& target, std::string action, unsigned long events) {
  if (!target || action.empty() || events == 0) return;
  for (Target& t : targets_) {
    if (t.target.lock() == target && t.action == action) {
      t.events |= events;
      return;
    }
  }
  targets_.push_back({target, std::move(action), events});
}

void UIControl::removeTarget(const rt::Id& target, std::string_view action, unsigned long events) {
  for (Target& t : targets_) {
    rt::Id held = t.target.lock();
    if ((!target || held == target) && (action.empty() || t.action == action)) t.events &= ~events;
  }
  std::erase_if(targets_, [](const Target& t) { return t.events == 0 || t.target.expired(); });
}

std::size_t UIControl::targetCount() const {
  return static_cast<std::size_t>(
      std::count_if(targets_.begin(), targets_.end(), [](const Target& t) { return !t.target.expired(); }));
}

std::size_t UIControl::sendActionsForControlEvents(unsigned long events) {
  rt::Id self = shared_from_this();
  std::vector<Target> targets = targets_;  // an action may change the list
  std::size_t sent = 0;
  for (const Target& t : targets) {
    if (!(t.events & events)) continue;
    if (rt::Id target = t.target.lock()) {
      rt::send<void(rt::Id)>(target, t.action, rt::Id(self));
      ++sent;
    }
  }
  return sent;
}

}  // namespace platform
