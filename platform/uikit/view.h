#pragma once
// UIView: geometry (centre, bounds, transform; the frame derived from them), appearance, the view tree,
// autoresizing, layout and gesture recognisers. System code calls the C++ accessors directly; what UIKit
// itself sends as messages (initWithFrame:, layoutSubviews, pointInside:withEvent:, hitTest:withEvent:, ...)
// goes through the runtime, so that subclasses and replacements registered there are seen.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"
#include "platform/uikit/animation.h"
#include "platform/uikit/layer.h"
#include "platform/uikit/responder.h"

namespace platform {

class Process;
class UIWindow;
class UIGestureRecognizer;

// UIViewAutoresizing.
inline constexpr unsigned UIViewAutoresizingNone = 0;
inline constexpr unsigned UIViewAutoresizingFlexibleLeftMargin = 1u << 0;
inline constexpr unsigned UIViewAutoresizingFlexibleWidth = 1u << 1;
inline constexpr unsigned UIViewAutoresizingFlexibleRightMargin = 1u << 2;
inline constexpr unsigned UIViewAutoresizingFlexibleTopMargin = 1u << 3;
inline constexpr unsigned UIViewAutoresizingFlexibleHeight = 1u << 4;
inline constexpr unsigned UIViewAutoresizingFlexibleBottomMargin = 1u << 5;

enum UIViewContentMode : int {
  UIViewContentModeScaleToFill = 0,
  UIViewContentModeScaleAspectFit = 1,
  UIViewContentModeScaleAspectFill = 2,
  UIViewContentModeRedraw = 3,
  UIViewContentModeCenter = 4,
};

// The values on screen at one moment: the model values, or where running animations have taken them.
struct ViewPresentation {
  CGPoint center;
  CGRect bounds;
  CGAffineTransform transform;
  double alpha = 1;
  std::optional<UIColor> backgroundColor;
  CGRect frame() const;
};

class UIView : public UIResponder {
 public:
  using Ptr = std::shared_ptr<UIView>;

  explicit UIView(rt::Class& cls);

  // --- Geometry. NaN is refused (the old value stays), as Core Animation refuses it. ---
  // The bounding box of the transformed bounds around the centre.
  CGRect frame() const;
  // Sets the centre, and the bounds size the transform maps onto the frame's size (the frame's own size for
  // the identity); the origin of the bounds is kept.
  void setFrame(CGRect frame);
  CGRect bounds() const { return bounds_; }
  void setBounds(CGRect bounds);
  CGPoint center() const { return center_; }
  void setCenter(CGPoint center);
  // Applied about the centre.
  const CGAffineTransform& transform() const { return transform_; }
  void setTransform(const CGAffineTransform& transform);

  // --- Appearance ---
  double alpha() const { return alpha_; }
  void setAlpha(double alpha);
  bool isHidden() const { return hidden_; }
  // A window's change is traced (view.hidden): windows coming and going is what a person sees.
  void setHidden(bool hidden);
  const std::optional<UIColor>& backgroundColor() const { return backgroundColor_; }
  void setBackgroundColor(std::optional<UIColor> color);
  UIViewContentMode contentMode() const { return contentMode_; }
  void setContentMode(UIViewContentMode mode) { contentMode_ = mode; }
  bool clipsToBounds() const { return layer_.masksToBounds(); }
  void setClipsToBounds(bool clips) { layer_.setMasksToBounds(clips); }
  CALayer& layer() { return layer_; }
  const CALayer& layer() const { return layer_; }
  std::optional<UIColor> tintColor() const;  // inherited from the superview when unset
  void setTintColor(std::optional<UIColor> color) { tintColor_ = color; }

  // --- Behaviour ---
  bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
  void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
  unsigned autoresizingMask() const { return autoresizingMask_; }
  void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }
  bool autoresizesSubviews() const { return autoresizesSubviews_; }
  void setAutoresizesSubviews(bool autoresizes) { autoresizesSubviews_ = autoresizes; }
  // Recorded only: there is no Auto Layout here.
  bool translatesAutoresizingMaskIntoConstraints() const { return translatesMask_; }
  void setTranslatesAutoresizingMaskIntoConstraints(bool translates) { translatesMask_ = translates; }
  long tag() const { return tag_; }
  void setTag(long tag) { tag_ = tag; }

  // --- The view tree: parents own their children; the superview link is weak. ---
  const std::vector<Ptr>& subviews() const { return subviews_; }
  Ptr superview() const { return superview_.lock(); }
  // Moves the view from its old superview, if any, to the front of this one. Adding a view to itself or to
  // one of its own descendants does nothing.
  void addSubview(const Ptr& view);
  void insertSubviewAtIndex(const Ptr& view, std::size_t index);
  void bringSubviewToFront(const Ptr& view);
  void sendSubviewToBack(const Ptr& view);
  void removeFromSuperview();
  bool isDescendantOfView(const UIView& view) const;  // true for the view itself
  std::shared_ptr<UIWindow> window() const;
  Ptr viewWithTag(long tag);

  // --- Layout: layoutSubviews is sent through the runtime, in a pass on the next turn of the run loop. ---
  void setNeedsLayout();
  bool needsLayout() const { return needsLayout_; }
  void layoutIfNeeded();

  // --- Coordinates: through centre, bounds origin and transform. ---
  CGPoint convertPointFromSuperview(CGPoint point) const;
  CGPoint convertPointToSuperview(CGPoint point) const;
  // Between this view and another view of the same tree, or the screen when `view` is null.
  CGPoint convertPointToView(CGPoint point, const UIView* view) const;
  CGPoint convertPointFromView(CGPoint point, const UIView* view) const;

  // --- Gesture recognisers: the view owns them; a recogniser's link to its view is weak. ---
  void addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
  void removeGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
  const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const { return recognizers_; }

  // --- Block animations on the process's virtual clock (see AnimationCenter). ---
  static void animateWithDuration(Process& process, double duration, double delay, unsigned options,
                                  std::function<void()> animations,
                                  std::function<void(bool finished)> completion);
  static void animateWithDuration(Process& process, double duration, std::function<void()> animations,
                                  std::function<void(bool finished)> completion = {});
  static void animateWithSpring(Process& process, double duration, double delay, double dampingRatio,
                                double initialVelocity, unsigned options, std::function<void()> animations,
                                std::function<void(bool finished)> completion);
  static void performWithoutAnimation(Process& process, const std::function<void()>& changes);

  ViewPresentation presentation(Nanos time) const;
  ViewPresentation model() const;
  // The running animation's value of a property at `time`, or nothing when none is running.
  std::optional<AnimatableValue> animatedValue(AnimatableProperty property, Nanos time) const;
  const std::vector<PropertyAnimation>& animations() const { return animations_; }
  // A later animation of the same property takes its place.
  void addAnimation(PropertyAnimation animation);
  void cancelAnimation(AnimatableProperty property);
  void removeAllAnimations() { animations_.clear(); }

  std::string description() const override;

 protected:
  // Every change of an animatable property comes here, to be animated inside a block or to jump outside one.
  void noteChange(AnimatableProperty property, const AnimatableValue& before, const AnimatableValue& after,
                  bool animatable = true);

 private:
  void boundsSizeChanged(CGSize oldSize);
  void resizeWithOldSuperviewSize(CGSize oldSize, CGSize newSize);
  std::shared_ptr<UIView> selfPtr();

  CGPoint center_;
  CGRect bounds_;
  CGAffineTransform transform_;
  double alpha_ = 1;
  bool hidden_ = false;
  std::optional<UIColor> backgroundColor_;
  std::optional<UIColor> tintColor_;
  UIViewContentMode contentMode_ = UIViewContentModeScaleToFill;
  bool userInteractionEnabled_ = true;
  unsigned autoresizingMask_ = UIViewAutoresizingNone;
  bool autoresizesSubviews_ = true;
  bool translatesMask_ = true;
  long tag_ = 0;
  bool needsLayout_ = true;
  bool subtreeNeedsLayout_ = false;  // some view below waits for layout; set up the chain by setNeedsLayout
  CALayer layer_{*this};
  std::vector<Ptr> subviews_;
  std::weak_ptr<UIView> superview_;
  std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers_;
  std::vector<PropertyAnimation> animations_;
};

}  // namespace platform
