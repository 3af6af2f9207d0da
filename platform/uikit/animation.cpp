#include "platform/uikit/animation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform {

const char* propertyName(AnimatableProperty property) {
  switch (property) {
    case AnimatableProperty::Center:
      return "center";
    case AnimatableProperty::Bounds:
      return "bounds";
    case AnimatableProperty::Transform:
      return "transform";
    case AnimatableProperty::Alpha:
      return "alpha";
    case AnimatableProperty::BackgroundColor:
      return "backgroundColor";
    case AnimatableProperty::SliderValue:
      return "value";
  }
  return "unknown";
}

namespace {

double lerp(double a, double b, double t) {
  return a + (b - a) * t;
}

// Translation, rotation, scale along the rotated x axis, the y axis' part along x (shear) and its own length.
struct Decomposed {
  double tx, ty, angle, sx, shear, sy;
};

Decomposed decompose(const CGAffineTransform& t) {
  Decomposed d{t.tx, t.ty, std::atan2(t.b, t.a), std::hypot(t.a, t.b), 0, 0};
  double cos = std::cos(d.angle), sin = std::sin(d.angle);
  d.shear = t.c * cos + t.d * sin;
  d.sy = -t.c * sin + t.d * cos;
  return d;
}

CGAffineTransform compose(const Decomposed& d) {
  double cos = std::cos(d.angle), sin = std::sin(d.angle);
  return {d.sx * cos, d.sx * sin, d.shear * cos - d.sy * sin, d.shear * sin + d.sy * cos, d.tx, d.ty};
}

CGAffineTransform interpolateTransform(const CGAffineTransform& a, const CGAffineTransform& b, double t) {
  Decomposed da = decompose(a), db = decompose(b);
  double turn = std::remainder(db.angle - da.angle, 2 * std::numbers::pi);  // the short way round
  return compose({lerp(da.tx, db.tx, t), lerp(da.ty, db.ty, t), da.angle + turn * t, lerp(da.sx, db.sx, t),
                  lerp(da.shear, db.shear, t), lerp(da.sy, db.sy, t)});
}

std::optional<UIColor> interpolateColor(const std::optional<UIColor>& a, const std::optional<UIColor>& b,
                                        double t) {
  UIColor from = a.value_or(UIColor::clearColor());
  UIColor to = b.value_or(UIColor::clearColor());
  double alpha = lerp(from.alpha(), to.alpha(), t);
  auto channel = [&](double f, double g) {
    double premultiplied = lerp(f * from.alpha(), g * to.alpha(), t);
    return alpha > 0 ? premultiplied / alpha : 0;
  };
  return UIColor::colorWithRed(channel(from.red(), to.red()), channel(from.green(), to.green()),
                               channel(from.blue(), to.blue()), alpha);
}

// A cubic Bézier timing function from (0,0) to (1,1), as Core Animation names them.
double bezier(double x1, double y1, double x2, double y2, double x) {
  auto curve = [](double p1, double p2, double s) {
    double r = 1 - s;
    return 3 * r * r * s * p1 + 3 * r * s * s * p2 + s * s * s;
  };
  // Bisection: x(s) is increasing for these control points, and 60 halvings reach double precision.
  double lo = 0, hi = 1;
  for (int i = 0; i < 60; ++i) {
    double mid = (lo + hi) / 2;
    if (curve(x1, x2, mid) < x)
      lo = mid;
    else
      hi = mid;
  }
  return curve(y1, y2, (lo + hi) / 2);
}

}  // namespace

AnimatableValue interpolate(const AnimatableValue& from, const AnimatableValue& to, double t) {
  if (from.index() != to.index()) return to;
  if (auto* a = std::get_if<double>(&from)) return lerp(*a, std::get<double>(to), t);
  if (auto* a = std::get_if<CGPoint>(&from)) {
    const auto& b = std::get<CGPoint>(to);
    return CGPoint{lerp(a->x, b.x, t), lerp(a->y, b.y, t)};
  }
  if (auto* a = std::get_if<CGRect>(&from)) {
    const auto& b = std::get<CGRect>(to);
    return CGRectMake(lerp(a->origin.x, b.origin.x, t), lerp(a->origin.y, b.origin.y, t),
                      lerp(a->size.width, b.size.width, t), lerp(a->size.height, b.size.height, t));
  }
  if (auto* a = std::get_if<CGAffineTransform>(&from))
    return interpolateTransform(*a, std::get<CGAffineTransform>(to), t);
  return interpolateColor(std::get<std::optional<UIColor>>(from), std::get<std::optional<UIColor>>(to), t);
}

PlistValue toPlist(const AnimatableValue& value) {
  if (auto* d = std::get_if<double>(&value)) return *d;
  if (auto* p = std::get_if<CGPoint>(&value)) return PlistArray{p->x, p->y};
  if (auto* r = std::get_if<CGRect>(&value))
    return PlistArray{r->origin.x, r->origin.y, r->size.width, r->size.height};
  if (auto* t = std::get_if<CGAffineTransform>(&value))
    return PlistArray{t->a, t->b, t->c, t->d, t->tx, t->ty};
  const auto& color = std::get<std::optional<UIColor>>(value);
  if (!color) return PlistArray{};
  return PlistArray{color->red(), color->green(), color->blue(), color->alpha()};
}

TimingCurve TimingCurve::fromOptions(unsigned options) {
  switch ((options >> 16) & 0xf) {
    case 1:
      return TimingCurve(Kind::EaseIn);
    case 2:
      return TimingCurve(Kind::EaseOut);
    case 3:
      return TimingCurve(Kind::Linear);
    default:
      return TimingCurve(Kind::EaseInOut);
  }
}

TimingCurve TimingCurve::spring(double dampingRatio, double velocity, double duration) {
  TimingCurve curve(Kind::Spring);
  // Nearly undamped springs would never settle within the duration; UIKit treats them as lightly damped too.
  curve.damping_ = std::isfinite(dampingRatio) ? std::clamp(dampingRatio, 0.05, 10.0) : 1;
  double d = std::isfinite(duration) && duration > 0 ? duration : 0;
  curve.velocity_ = std::isfinite(velocity) ? std::clamp(velocity, -100.0, 100.0) * d : 0;
  // Chosen so that the envelope has decayed to a thousandth by the end.
  curve.omega_ = std::log(1000.0) / std::min(curve.damping_, 1.0);
  return curve;
}

double TimingCurve::progress(double fraction) const {
  if (!(fraction > 0)) return 0;  // NaN too
  if (fraction >= 1) return 1;
  switch (kind_) {
    case Kind::Linear:
      return fraction;
    case Kind::EaseIn:
      return bezier(0.42, 0, 1, 1, fraction);
    case Kind::EaseOut:
      return bezier(0, 0, 0.58, 1, fraction);
    case Kind::EaseInOut:
      return bezier(0.42, 0, 0.58, 1, fraction);
    case Kind::Spring:
      break;
  }
  double w = omega_, z = damping_, t = fraction;
  if (z < 1) {
    double wd = w * std::sqrt(1 - z * z);
    double b = (z * w - velocity_) / wd;
    return 1 - std::exp(-z * w * t) * (std::cos(wd * t) + b * std::sin(wd * t));
  }
  return 1 - std::exp(-w * t) * (1 + (w - velocity_) * t);
}

std::optional<AnimatableValue> PropertyAnimation::valueAt(Nanos t) const {
  if (t >= end()) return std::nullopt;
  if (t <= begin) return from;
  double fraction = static_cast<double>(t - begin) / static_cast<double>(duration);
  return interpolate(from, to, curve.progress(fraction));
}

}  // namespace platform
