#pragma once
// What a block animation leaves behind for the renderer: per view and animatable property, where the value
// comes from, where it goes, when, and along which curve.
#include <cstdint>
#include <optional>
#include <variant>

#include "platform/foundation/clock.h"
#include "platform/foundation/plist_value.h"
#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"

namespace platform {

// UIViewAnimationOptions.
inline constexpr unsigned UIViewAnimationOptionLayoutSubviews = 1u << 0;
inline constexpr unsigned UIViewAnimationOptionAllowUserInteraction = 1u << 1;
inline constexpr unsigned UIViewAnimationOptionBeginFromCurrentState = 1u << 2;
inline constexpr unsigned UIViewAnimationOptionRepeat = 1u << 3;
inline constexpr unsigned UIViewAnimationOptionAutoreverse = 1u << 4;
inline constexpr unsigned UIViewAnimationOptionCurveEaseInOut = 0u << 16;
inline constexpr unsigned UIViewAnimationOptionCurveEaseIn = 1u << 16;
inline constexpr unsigned UIViewAnimationOptionCurveEaseOut = 2u << 16;
inline constexpr unsigned UIViewAnimationOptionCurveLinear = 3u << 16;

enum class AnimatableProperty { Center, Bounds, Transform, Alpha, BackgroundColor, SliderValue };
// The name used in the trace: "center", "bounds", "transform", "alpha", "backgroundColor", "value".
const char* propertyName(AnimatableProperty property);

using AnimatableValue = std::variant<double, CGPoint, CGRect, CGAffineTransform, std::optional<UIColor>>;

// progress 0 gives `from`, 1 gives `to`; values of different kinds do not mix (the result is `to`).
// Transforms are interpolated as translation, rotation (the short way round), scale and shear; colours
// with premultiplied alpha, a nil colour counting as clear.
AnimatableValue interpolate(const AnimatableValue& from, const AnimatableValue& to, double progress);
// Trace form: reals, arrays of reals ([x, y], [x, y, w, h], [a, b, c, d, tx, ty], [r, g, b, a]; [] for nil).
PlistValue toPlist(const AnimatableValue& value);

// A media timing curve: fraction of elapsed time in, fraction of the change out.
class TimingCurve {
 public:
  enum class Kind { EaseInOut, EaseIn, EaseOut, Linear, Spring };

  // The curve bits (16-19) of UIViewAnimationOptions; unknown curves ease in and out, as UIKit does.
  static TimingCurve fromOptions(unsigned options);
  static TimingCurve linear() { return TimingCurve(Kind::Linear); }
  // A damped spring that settles by the end of `duration` seconds; `velocity` is in whole changes per second.
  static TimingCurve spring(double dampingRatio, double velocity, double duration);

  Kind kind() const { return kind_; }
  // fraction is clamped to [0, 1]; 0 answers 0 and 1 answers 1 (a spring may overshoot in between).
  double progress(double fraction) const;

 private:
  explicit TimingCurve(Kind kind) : kind_(kind) {}
  Kind kind_;
  double damping_ = 1;
  double velocity_ = 0;
  double omega_ = 0;  // natural frequency times the duration
};

// One animated property of one view.
struct PropertyAnimation {
  AnimatableProperty property = AnimatableProperty::Alpha;
  AnimatableValue from;
  AnimatableValue to;
  Nanos begin = 0;  // start of the block plus its delay; `from` shows until then
  Nanos duration = 0;
  TimingCurve curve = TimingCurve::linear();
  std::uint64_t animation = 0;  // the block that made it

  Nanos end() const { return begin + duration; }
  // The value on screen at t, or nothing once the animation is over (the model value shows).
  std::optional<AnimatableValue> valueAt(Nanos t) const;
};

}  // namespace platform
