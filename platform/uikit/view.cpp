#include "platform/uikit/view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/device/process.h"
#include "platform/uikit/animation_center.h"
#include "platform/uikit/gesture_recognizer.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

bool hasNaN(CGPoint p) {
  return std::isnan(p.x) || std::isnan(p.y);
}
bool hasNaN(CGRect r) {
  return hasNaN(r.origin) || std::isnan(r.size.width) || std::isnan(r.size.height);
}
bool hasNaN(const CGAffineTransform& t) {
  return std::isnan(t.a) || std::isnan(t.b) || std::isnan(t.c) || std::isnan(t.d) || std::isnan(t.tx) ||
         std::isnan(t.ty);
}

CGRect frameOf(CGPoint center, CGSize size, const CGAffineTransform& transform) {
  CGRect local = CGRectMake(-size.width / 2, -size.height / 2, size.width, size.height);
  CGRect box = CGRectApplyAffineTransform(local, transform);
  return CGRectMake(box.origin.x + center.x, box.origin.y + center.y, box.size.width, box.size.height);
}

// The bounds size whose transformed bounding box has the given size: |a| w + |c| h = W, |b| w + |d| h = H.
// When that has no single non-negative answer (45 degrees, say) the old size stays.
CGSize boundsSizeForFrame(CGSize frameSize, CGSize oldSize, const CGAffineTransform& t) {
  if (t.a == 1 && t.b == 0 && t.c == 0 && t.d == 1) return frameSize;
  double a = std::fabs(t.a), b = std::fabs(t.b), c = std::fabs(t.c), d = std::fabs(t.d);
  double det = a * d - b * c;
  if (!std::isfinite(det) || std::fabs(det) < 1e-9) return oldSize;
  CGSize size{(d * frameSize.width - c * frameSize.height) / det,
              (a * frameSize.height - b * frameSize.width) / det};
  if (!(size.width >= -1e-9) || !(size.height >= -1e-9) || !isFinite(size)) return oldSize;
  return {std::max(0.0, size.width), std::max(0.0, size.height)};
}

std::string formatNumber(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", v);
  return buffer;
}

}  // namespace

CGRect ViewPresentation::frame() const {
  return frameOf(center, bounds.size, transform);
}

UIView::UIView(rt::Class& cls) : UIResponder(cls) {}

std::shared_ptr<UIView> UIView::selfPtr() {
  return std::static_pointer_cast<UIView>(shared_from_this());
}

CGRect UIView::frame() const {
  return frameOf(center_, bounds_.size, transform_);
}

void UIView::setFrame(CGRect frame) {
  if (hasNaN(frame)) return;
  frame = CGRectStandardize(frame);
  CGSize size = boundsSizeForFrame(frame.size, bounds_.size, transform_);
  setCenter({frame.origin.x + frame.size.width / 2, frame.origin.y + frame.size.height / 2});
  setBounds({bounds_.origin, size});
}

void UIView::setBounds(CGRect bounds) {
  if (hasNaN(bounds)) return;
  CGRect before = bounds_;
  bounds_ = bounds;
  noteChange(AnimatableProperty::Bounds, before, bounds);
  if (before.size != bounds.size) boundsSizeChanged(before.size);
}

void UIView::setCenter(CGPoint center) {
  if (hasNaN(center)) return;
  CGPoint before = center_;
  center_ = center;
  noteChange(AnimatableProperty::Center, before, center);
}

void UIView::setTransform(const CGAffineTransform& transform) {
  if (hasNaN(transform)) return;
  CGAffineTransform before = transform_;
  transform_ = transform;
  noteChange(AnimatableProperty::Transform, before, transform);
}

void UIView::setAlpha(double alpha) {
  if (std::isnan(alpha)) return;
  double before = alpha_;
  alpha_ = alpha;
  noteChange(AnimatableProperty::Alpha, before, alpha);
}

void UIView::setBackgroundColor(std::optional<UIColor> color) {
  std::optional<UIColor> before = backgroundColor_;
  backgroundColor_ = color;
  noteChange(AnimatableProperty::BackgroundColor, before, color);
}

std::optional<UIColor> UIView::tintColor() const {
  for (const UIView* v = this; v; v = v->superview_.lock().get())
    if (v->tintColor_) return v->tintColor_;
  return UIColor::systemBlueColor();
}

void UIView::setHidden(bool hidden) {
  if (hidden == hidden_) return;
  hidden_ = hidden;
  const auto* window = dynamic_cast<const UIWindow*>(this);
  if (!window) return;
  PlistDict fields;
  fields.set("window", className());
  fields.set("level", window->windowLevel());
  fields.set("hidden", hidden);
  process().trace("view.hidden", std::move(fields));
}

void UIView::noteChange(AnimatableProperty property, const AnimatableValue& before,
                        const AnimatableValue& after, bool animatable) {
  process().service<AnimationCenter>().propertyChanged(*this, property, before, after, animatable);
}

// --- The view tree ---

void UIView::addSubview(const Ptr& view) {
  // The index is clamped after the view has left its old place, which may be in this very view.
  insertSubviewAtIndex(view, std::numeric_limits<std::size_t>::max());
}

void UIView::insertSubviewAtIndex(const Ptr& view, std::size_t index) {
  if (!view || view.get() == this || isDescendantOfView(*view)) return;
  Ptr keep = view;  // removing it from its old parent must not destroy it
  if (Ptr old = view->superview()) {
    auto& siblings = old->subviews_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), view), siblings.end());
  }
  index = std::min(index, subviews_.size());
  subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), view);
  view->superview_ = selfPtr();
  view->setNeedsLayout();
  setNeedsLayout();
}

void UIView::bringSubviewToFront(const Ptr& view) {
  if (view && view->superview().get() == this)
    insertSubviewAtIndex(view, std::numeric_limits<std::size_t>::max());
}

void UIView::sendSubviewToBack(const Ptr& view) {
  if (view && view->superview().get() == this) insertSubviewAtIndex(view, 0);
}

void UIView::removeFromSuperview() {
  Ptr parent = superview();
  if (!parent) return;
  Ptr keep = selfPtr();
  auto& siblings = parent->subviews_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), keep), siblings.end());
  superview_.reset();
  parent->setNeedsLayout();
}

bool UIView::isDescendantOfView(const UIView& view) const {
  for (Ptr v = std::const_pointer_cast<UIView>(std::static_pointer_cast<const UIView>(shared_from_this())); v;
       v = v->superview())
    if (v.get() == &view) return true;
  return false;
}

std::shared_ptr<UIWindow> UIView::window() const {
  for (Ptr v = std::const_pointer_cast<UIView>(std::static_pointer_cast<const UIView>(shared_from_this())); v;
       v = v->superview())
    if (auto w = std::dynamic_pointer_cast<UIWindow>(v)) return w;
  return nullptr;
}

UIView::Ptr UIView::viewWithTag(long tag) {
  if (tag_ == tag) return selfPtr();
  for (const Ptr& sub : subviews_)
    if (Ptr found = sub->viewWithTag(tag)) return found;
  return nullptr;
}

// --- Coordinates ---

CGPoint UIView::convertPointFromSuperview(CGPoint point) const {
  if (!CGAffineTransformIsInvertible(transform_)) {
    // A view squashed flat has no inside: answer a point that nothing contains.
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    return {nan, nan};
  }
  CGPoint relative{point.x - center_.x, point.y - center_.y};
  CGPoint untransformed = CGPointApplyAffineTransform(relative, CGAffineTransformInvert(transform_));
  return {untransformed.x + bounds_.origin.x + bounds_.size.width / 2,
          untransformed.y + bounds_.origin.y + bounds_.size.height / 2};
}

CGPoint UIView::convertPointToSuperview(CGPoint point) const {
  CGPoint relative{point.x - bounds_.origin.x - bounds_.size.width / 2,
                   point.y - bounds_.origin.y - bounds_.size.height / 2};
  CGPoint moved = CGPointApplyAffineTransform(relative, transform_);
  return {moved.x + center_.x, moved.y + center_.y};
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const {
  for (const UIView* v = this; v; v = v->superview_.lock().get()) point = v->convertPointToSuperview(point);
  return view ? view->convertPointFromView(point, nullptr) : point;
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const {
  if (view) point = view->convertPointToView(point, nullptr);
  std::vector<const UIView*> chain;
  for (const UIView* v = this; v; v = v->superview_.lock().get()) chain.push_back(v);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) point = (*it)->convertPointFromSuperview(point);
  return point;
}

// --- Gesture recognisers ---

void UIView::addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
  if (!recognizer) return;
  if (std::find(recognizers_.begin(), recognizers_.end(), recognizer) != recognizers_.end()) return;
  if (Ptr old = recognizer->view()) old->removeGestureRecognizer(recognizer);
  recognizers_.push_back(recognizer);
  recognizer->attachToView(selfPtr());
}

void UIView::removeGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
  auto it = std::find(recognizers_.begin(), recognizers_.end(), recognizer);
  if (it == recognizers_.end()) return;
  recognizers_.erase(it);
  recognizer->attachToView(nullptr);
}

// --- Description ---

std::string UIView::description() const {
  std::string address = addressText();
  CGRect f = frame();
  std::string text = "<" + className() + ": " + address + "; frame = (" + formatNumber(f.origin.x) + " " +
                     formatNumber(f.origin.y) + "; " + formatNumber(f.size.width) + " " +
                     formatNumber(f.size.height) + ")";
  if (!CGAffineTransformIsIdentity(transform_)) {
    text += "; transform = [" + formatNumber(transform_.a) + ", " + formatNumber(transform_.b) + ", " +
            formatNumber(transform_.c) + ", " + formatNumber(transform_.d) + ", " +
            formatNumber(transform_.tx) + ", " + formatNumber(transform_.ty) + "]";
  }
  if (alpha_ != 1) text += "; alpha = " + formatNumber(alpha_);
  if (hidden_) text += "; hidden = YES";
  return text + ">";
}

}  // namespace platform
