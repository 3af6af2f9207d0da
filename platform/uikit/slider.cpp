#include "platform/uikit/slider.h"

#include <algorithm>
#include <cmath>

#include "platform/runtime/message.h"

namespace platform {

namespace {

constexpr double kTrackHeight = 2;
constexpr double kValueImageGap = 5;
constexpr double kSystemThumbSide = 28;

UIImagePtr imageFor(const std::map<unsigned long, UIImagePtr>& images, unsigned long state) {
  auto it = images.find(state);
  return it == images.end() ? nullptr : it->second;
}

UIImagePtr currentImage(const std::map<unsigned long, UIImagePtr>& images, unsigned long state) {
  if (UIImagePtr image = imageFor(images, state)) return image;
  return imageFor(images, UIControlStateNormal);
}

void store(std::map<unsigned long, UIImagePtr>& images, UIImagePtr image, unsigned long state) {
  if (image)
    images[state] = std::move(image);
  else
    images.erase(state);
}

}  // namespace

void UISlider::changeValue(float value, bool animatable) {
  if (std::isnan(value)) value = minimum_;
  value = std::clamp(value, minimum_, maximum_);
  float before = value_;
  value_ = value;
  noteChange(AnimatableProperty::SliderValue, double{before}, double{value}, animatable);
}

void UISlider::setValue(float value, bool animated) {
  changeValue(value, animated);
}

void UISlider::setMinimumValue(float minimum) {
  if (std::isnan(minimum)) return;
  minimum_ = minimum;
  if (maximum_ < minimum_) maximum_ = minimum_;
  if (value_ < minimum_ || value_ > maximum_) changeValue(value_, false);
}

void UISlider::setMaximumValue(float maximum) {
  if (std::isnan(maximum)) return;
  maximum_ = maximum;
  if (minimum_ > maximum_) minimum_ = maximum_;
  if (value_ < minimum_ || value_ > maximum_) changeValue(value_, false);
}

float UISlider::presentationValue(Nanos time) const {
  if (auto animated = animatedValue(AnimatableProperty::SliderValue, time))
    return static_cast<float>(std::get<double>(*animated));
  return value_;
}

float UISlider::fractionOf(float value) const {
  double range = double{maximum_} - double{minimum_};
  if (!(range > 0) || !std::isfinite(range) || std::isnan(value)) return 0;
  return static_cast<float>(std::clamp((double{value} - double{minimum_}) / range, 0.0, 1.0));
}

void UISlider::setMinimumTrackImage(UIImagePtr image, unsigned long state) {
  store(minimumTrack_, std::move(image), state);
}
void UISlider::setMaximumTrackImage(UIImagePtr image, unsigned long state) {
  store(maximumTrack_, std::move(image), state);
}
void UISlider::setThumbImage(UIImagePtr image, unsigned long state) {
  store(thumb_, std::move(image), state);
}
UIImagePtr UISlider::minimumTrackImageForState(unsigned long state) const {
  return imageFor(minimumTrack_, state);
}
UIImagePtr UISlider::maximumTrackImageForState(unsigned long state) const {
  return imageFor(maximumTrack_, state);
}
UIImagePtr UISlider::thumbImageForState(unsigned long state) const {
  return imageFor(thumb_, state);
}
UIImagePtr UISlider::currentMinimumTrackImage() const {
  return currentImage(minimumTrack_, state());
}
UIImagePtr UISlider::currentMaximumTrackImage() const {
  return currentImage(maximumTrack_, state());
}
UIImagePtr UISlider::currentThumbImage() const {
  return currentImage(thumb_, state());
}

CGRect UISlider::defaultMinimumValueImageRect(CGRect bounds) const {
  if (!minimumValueImage_) return CGRectZero;
  CGSize size = minimumValueImage_->size();
  return CGRectMake(CGRectGetMinX(bounds), CGRectGetMidY(bounds) - size.height / 2, size.width, size.height);
}

CGRect UISlider::defaultMaximumValueImageRect(CGRect bounds) const {
  if (!maximumValueImage_) return CGRectZero;
  CGSize size = maximumValueImage_->size();
  return CGRectMake(CGRectGetMaxX(bounds) - size.width, CGRectGetMidY(bounds) - size.height / 2, size.width,
                    size.height);
}

CGRect UISlider::defaultTrackRect(CGRect bounds) const {
  bounds = CGRectStandardize(bounds);
  double left = CGRectGetMinX(bounds);
  double right = CGRectGetMaxX(bounds);
  if (minimumValueImage_) left += minimumValueImage_->size().width + kValueImageGap;
  if (maximumValueImage_) right -= maximumValueImage_->size().width + kValueImageGap;
  return CGRectMake(left, CGRectGetMidY(bounds) - kTrackHeight / 2, std::max(0.0, right - left),
                    kTrackHeight);
}

CGSize UISlider::thumbSize() const {
  if (UIImagePtr image = currentThumbImage()) return image->size();
  return {kSystemThumbSide, kSystemThumbSide};
}

CGRect UISlider::defaultThumbRect(CGRect, CGRect track, float value) const {
  CGSize size = thumbSize();
  double travel = std::max(0.0, track.size.width - size.width);
  double x = track.origin.x + travel * fractionOf(value);
  return CGRectMake(x, CGRectGetMidY(track) - size.height / 2, size.width, size.height);
}

std::size_t UISlider::simulateUserValueChange(float value) {
  changeValue(value, false);
  return sendActionsForControlEvents(UIControlEventValueChanged);
}

CGRect sliderTrackRect(const std::shared_ptr<UISlider>& slider, CGRect bounds) {
  return rt::send<CGRect(CGRect)>(slider, "trackRectForBounds:", bounds);
}

CGRect sliderThumbRect(const std::shared_ptr<UISlider>& slider, CGRect bounds, CGRect track, float value) {
  return rt::send<CGRect(CGRect, CGRect, float)>(slider, "thumbRectForBounds:trackRect:value:", bounds, track,
                                                 value);
}

CGRect sliderMinimumValueImageRect(const std::shared_ptr<UISlider>& slider, CGRect bounds) {
  return rt::send<CGRect(CGRect)>(slider, "minimumValueImageRectForBounds:", bounds);
}

CGRect sliderMaximumValueImageRect(const std::shared_ptr<UISlider>& slider, CGRect bounds) {
  return rt::send<CGRect(CGRect)>(slider, "maximumValueImageRectForBounds:", bounds);
}

}  // namespace platform
