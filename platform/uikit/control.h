#pragma once
// UIControl: enabled/highlighted/selected state and target/action pairs per control event.
#include <memory>
#include <string>
#include <vector>

#include "platform/uikit/view.h"

namespace platform {

// UIControlEvents (NSUInteger on the platform: unsigned long here).
inline constexpr unsigned long UIControlEventTouchDown = 1ul << 0;
inline constexpr unsigned long UIControlEventTouchUpInside = 1ul << 6;
inline constexpr unsigned long UIControlEventTouchUpOutside = 1ul << 7;
inline constexpr unsigned long UIControlEventValueChanged = 1ul << 12;
inline constexpr unsigned long UIControlEventAllEvents = 0xFFFFFFFFul;

// UIControlState.
inline constexpr unsigned long UIControlStateNormal = 0;
inline constexpr unsigned long UIControlStateHighlighted = 1ul << 0;
inline constexpr unsigned long UIControlStateDisabled = 1ul << 1;
inline constexpr unsigned long UIControlStateSelected = 1ul << 2;

class UIControl : public UIView {
 public:
  using UIView::UIView;

  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
  bool isSelected() const { return selected_; }
  void setSelected(bool selected) { selected_ = selected; }
  unsigned long state() const;

  // Targets are not retained, as in UIKit. A nil target or an empty action is ignored (there is no
  // responder chain to search here). Adding the same pair again only widens its events.
  void addTarget(const rt::Id& target, std::string action, unsigned long events);
  // A nil target matches every target and an empty action every action.
  void removeTarget(const rt::Id& target, std::string_view action, unsigned long events);
  std::size_t targetCount() const;
  // Sends void(Id) with the control as argument to every live target registered for any of the events,
  // through the runtime; answers how many actions were sent. Programmatic changes never call this.
  std::size_t sendActionsForControlEvents(unsigned long events);

 private:
  struct Target {
    rt::WeakId target;
    std::string action;
    unsigned long events;
  };
  bool enabled_ = true;
  bool highlighted_ = false;
  bool selected_ = false;
  std::vector<Target> targets_;
};

}  // namespace platform
