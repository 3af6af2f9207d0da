#pragma once
// UISlider: a value within [minimum, maximum], track and thumb images per control state, and the geometry
// methods subclasses override. Whoever needs the geometry (renderer, hit testing) asks through the runtime:
// trackRectForBounds:, minimumValueImageRectForBounds:, maximumValueImageRectForBounds: (CGRect(CGRect)) and
// thumbRectForBounds:trackRect:value: (CGRect(CGRect, CGRect, float)).
#include <map>
#include <optional>

#include "platform/graphics/image.h"
#include "platform/uikit/control.h"

namespace platform {

class UISlider : public UIControl {
 public:
  using UIControl::UIControl;

  float value() const { return value_; }
  // Clamped to [minimum, maximum]; NaN becomes the minimum. With animated inside an animation block the value
  // on screen moves there along the block's curve; otherwise it jumps. Sends no actions, as in UIKit.
  void setValue(float value, bool animated = false);
  float minimumValue() const { return minimum_; }
  float maximumValue() const { return maximum_; }
  // Moving one end past the other moves the other end along; the value follows into the range. NaN is
  // refused.
  void setMinimumValue(float minimum);
  void setMaximumValue(float maximum);
  bool isContinuous() const { return continuous_; }
  void setContinuous(bool continuous) { continuous_ = continuous; }
  // The value on screen at `time`.
  float presentationValue(Nanos time) const;
  // Where `value` lies between minimum and maximum, in [0, 1] (0 for an empty range).
  float fractionOf(float value) const;

  void setMinimumTrackImage(UIImagePtr image, unsigned long state);
  void setMaximumTrackImage(UIImagePtr image, unsigned long state);
  void setThumbImage(UIImagePtr image, unsigned long state);
  // The image set for exactly this state, or nil.
  UIImagePtr minimumTrackImageForState(unsigned long state) const;
  UIImagePtr maximumTrackImageForState(unsigned long state) const;
  UIImagePtr thumbImageForState(unsigned long state) const;
  // The image for the current state, falling back to the normal state's, as UIKit draws.
  UIImagePtr currentMinimumTrackImage() const;
  UIImagePtr currentMaximumTrackImage() const;
  UIImagePtr currentThumbImage() const;

  const UIImagePtr& minimumValueImage() const { return minimumValueImage_; }
  void setMinimumValueImage(UIImagePtr image) { minimumValueImage_ = std::move(image); }
  const UIImagePtr& maximumValueImage() const { return maximumValueImage_; }
  void setMaximumValueImage(UIImagePtr image) { maximumValueImage_ = std::move(image); }

  // Used where no track image is set; nil means the system's colours.
  const std::optional<UIColor>& minimumTrackTintColor() const { return minimumTint_; }
  void setMinimumTrackTintColor(std::optional<UIColor> color) { minimumTint_ = color; }
  const std::optional<UIColor>& maximumTrackTintColor() const { return maximumTint_; }
  void setMaximumTrackTintColor(std::optional<UIColor> color) { maximumTint_ = color; }

  // UIKit's own geometry, what the runtime methods answer unless a subclass overrides them.
  CGRect defaultMinimumValueImageRect(CGRect bounds) const;
  CGRect defaultMaximumValueImageRect(CGRect bounds) const;
  CGRect defaultTrackRect(CGRect bounds) const;
  CGRect defaultThumbRect(CGRect bounds, CGRect track, float value) const;
  // The thumb's size: its image's, 28 x 28 for the system thumb, nothing for an empty image.
  CGSize thumbSize() const;

  // A person dragging the thumb: the value changes (clamped, without animation) and, the change being the
  // user's, the value-changed actions are sent. Answers how many.
  std::size_t simulateUserValueChange(float value);

 private:
  void changeValue(float value, bool animatable);

  float value_ = 0;
  float minimum_ = 0;
  float maximum_ = 1;
  bool continuous_ = true;
  std::map<unsigned long, UIImagePtr> minimumTrack_;
  std::map<unsigned long, UIImagePtr> maximumTrack_;
  std::map<unsigned long, UIImagePtr> thumb_;
  UIImagePtr minimumValueImage_;
  UIImagePtr maximumValueImage_;
  std::optional<UIColor> minimumTint_;
  std::optional<UIColor> maximumTint_;
};

// The geometry as the runtime answers it, overrides included.
CGRect sliderTrackRect(const std::shared_ptr<UISlider>& slider, CGRect bounds);
CGRect sliderThumbRect(const std::shared_ptr<UISlider>& slider, CGRect bounds, CGRect track, float value);
CGRect sliderMinimumValueImageRect(const std::shared_ptr<UISlider>& slider, CGRect bounds);
CGRect sliderMaximumValueImageRect(const std::shared_ptr<UISlider>& slider, CGRect bounds);

}  // namespace platform
