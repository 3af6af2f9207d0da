// UIView's layout pass, autoresizing and animation records.
#include <algorithm>
#include <cmath>

#include "platform/device/process.h"
#include "platform/runtime/message.h"
#include "platform/uikit/animation_center.h"
#include "platform/uikit/view.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

// Shares a change of the superview's extent among the flexible parts of one axis (leading margin, size,
// trailing margin) in proportion to their current lengths, as UIKit does; evenly when that cannot be done.
void distribute(double& origin, double& size, double oldExtent, double newExtent, bool flexLead,
                bool flexSize, bool flexTrail) {
  double delta = newExtent - oldExtent;
  int count = int{flexLead} + int{flexSize} + int{flexTrail};
  if (count == 0 || delta == 0 || !std::isfinite(delta)) return;
  double lead = origin, trail = oldExtent - origin - size;
  double total = (flexLead ? lead : 0) + (flexSize ? size : 0) + (flexTrail ? trail : 0);
  bool proportional =
      total > 0 && (!flexLead || lead >= 0) && (!flexSize || size >= 0) && (!flexTrail || trail >= 0);
  auto share = [&](bool flexible, double part) {
    if (!flexible) return 0.0;
    return proportional ? delta * part / total : delta / count;
  };
  origin += share(flexLead, lead);
  size += share(flexSize, size);
}

}  // namespace

void UIView::setNeedsLayout() {
  needsLayout_ = true;
  // The views above learn that something below waits, so that a pass walks only the paths that lead to it.
  // A view moved into a tree is told setNeedsLayout by its new superview, which marks the new path.
  for (Ptr above = superview(); above && !above->subtreeNeedsLayout_; above = above->superview())
    above->subtreeNeedsLayout_ = true;
  process().service<WindowRegistry>().scheduleLayoutPass();
}

void UIView::layoutIfNeeded() {
  if (needsLayout_) {
    needsLayout_ = false;
    rt::send<void()>(selfPtr(), "layoutSubviews");
  }
  if (!subtreeNeedsLayout_) return;
  subtreeNeedsLayout_ = false;  // what the children's layout marks again waits for the next pass
  std::vector<Ptr> children = subviews_;  // layoutSubviews may rearrange the tree
  try {
    for (const Ptr& child : children) child->layoutIfNeeded();
  } catch (...) {
    subtreeNeedsLayout_ = true;  // the children not reached still wait
    throw;
  }
}

void UIView::boundsSizeChanged(CGSize oldSize) {
  setNeedsLayout();
  if (!autoresizesSubviews_) return;
  std::vector<Ptr> children = subviews_;
  for (const Ptr& child : children) child->resizeWithOldSuperviewSize(oldSize, bounds_.size);
}

void UIView::resizeWithOldSuperviewSize(CGSize oldSize, CGSize newSize) {
  unsigned mask = autoresizingMask_;
  if (mask == UIViewAutoresizingNone) return;
  CGRect f = frame();
  distribute(f.origin.x, f.size.width, oldSize.width, newSize.width,
             mask & UIViewAutoresizingFlexibleLeftMargin, mask & UIViewAutoresizingFlexibleWidth,
             mask & UIViewAutoresizingFlexibleRightMargin);
  distribute(f.origin.y, f.size.height, oldSize.height, newSize.height,
             mask & UIViewAutoresizingFlexibleTopMargin, mask & UIViewAutoresizingFlexibleHeight,
             mask & UIViewAutoresizingFlexibleBottomMargin);
  if (isFinite(f)) setFrame(f);
}

// --- Animations ---

void UIView::animateWithDuration(Process& process, double duration, double delay, unsigned options,
                                 std::function<void()> animations, std::function<void(bool)> completion) {
  process.service<AnimationCenter>().animate(duration, delay, options, TimingCurve::fromOptions(options),
                                             animations, std::move(completion));
}

void UIView::animateWithDuration(Process& process, double duration, std::function<void()> animations,
                                 std::function<void(bool)> completion) {
  animateWithDuration(process, duration, 0, 0, std::move(animations), std::move(completion));
}

void UIView::animateWithSpring(Process& process, double duration, double delay, double dampingRatio,
                               double initialVelocity, unsigned options, std::function<void()> animations,
                               std::function<void(bool)> completion) {
  process.service<AnimationCenter>().animate(duration, delay, options,
                                             TimingCurve::spring(dampingRatio, initialVelocity, duration),
                                             animations, std::move(completion));
}

void UIView::performWithoutAnimation(Process& process, const std::function<void()>& changes) {
  process.service<AnimationCenter>().withoutAnimation(changes);
}

ViewPresentation UIView::model() const {
  return {center_, bounds_, transform_, alpha_, backgroundColor_};
}

ViewPresentation UIView::presentation(Nanos time) const {
  ViewPresentation p = model();
  for (const PropertyAnimation& animation : animations_) {
    auto value = animation.valueAt(time);
    if (!value) continue;
    switch (animation.property) {
      case AnimatableProperty::Center:
        p.center = std::get<CGPoint>(*value);
        break;
      case AnimatableProperty::Bounds:
        p.bounds = std::get<CGRect>(*value);
        break;
      case AnimatableProperty::Transform:
        p.transform = std::get<CGAffineTransform>(*value);
        break;
      case AnimatableProperty::Alpha:
        p.alpha = std::get<double>(*value);
        break;
      case AnimatableProperty::BackgroundColor:
        p.backgroundColor = std::get<std::optional<UIColor>>(*value);
        break;
      case AnimatableProperty::SliderValue:
        break;
    }
  }
  return p;
}

std::optional<AnimatableValue> UIView::animatedValue(AnimatableProperty property, Nanos time) const {
  for (const PropertyAnimation& animation : animations_)
    if (animation.property == property) return animation.valueAt(time);
  return std::nullopt;
}

void UIView::addAnimation(PropertyAnimation animation) {
  Nanos now = process().now();
  std::erase_if(animations_, [&](const PropertyAnimation& a) {
    return a.property == animation.property || a.end() <= now;
  });
  animations_.push_back(std::move(animation));
}

void UIView::cancelAnimation(AnimatableProperty property) {
  std::erase_if(animations_, [&](const PropertyAnimation& a) { return a.property == property; });
}

}  // namespace platform
