#include "platform/graphics/geometry.h"

#include <algorithm>
#include <limits>

namespace platform {

CGRect CGRectStandardize(CGRect r) {
  if (CGRectIsNull(r)) return r;
  if (r.size.width < 0) {
    r.origin.x += r.size.width;
    r.size.width = -r.size.width;
  }
  if (r.size.height < 0) {
    r.origin.y += r.size.height;
    r.size.height = -r.size.height;
  }
  return r;
}

bool CGRectIsNull(CGRect r) {
  return std::isinf(r.origin.x) && std::isinf(r.origin.y) && r.origin.x > 0;
}

bool CGRectIsEmpty(CGRect r) {
  // NaN sizes have no area either.
  return CGRectIsNull(r) || !(r.size.width != 0) || !(r.size.height != 0) || std::isnan(r.size.width) ||
         std::isnan(r.size.height);
}

bool CGRectIsInfinite(CGRect r) {
  return std::isinf(r.size.width) && std::isinf(r.size.height) && r.size.width > 0 && r.size.height > 0;
}

CGFloat CGRectGetMinX(CGRect r) {
  return CGRectStandardize(r).origin.x;
}
CGFloat CGRectGetMidX(CGRect r) {
  r = CGRectStandardize(r);
  return r.origin.x + r.size.width / 2;
}
CGFloat CGRectGetMaxX(CGRect r) {
  r = CGRectStandardize(r);
  return r.origin.x + r.size.width;
}
CGFloat CGRectGetMinY(CGRect r) {
  return CGRectStandardize(r).origin.y;
}
CGFloat CGRectGetMidY(CGRect r) {
  r = CGRectStandardize(r);
  return r.origin.y + r.size.height / 2;
}
CGFloat CGRectGetMaxY(CGRect r) {
  r = CGRectStandardize(r);
  return r.origin.y + r.size.height;
}
CGFloat CGRectGetWidth(CGRect r) {
  return std::fabs(r.size.width);
}
CGFloat CGRectGetHeight(CGRect r) {
  return std::fabs(r.size.height);
}

bool CGRectContainsPoint(CGRect r, CGPoint p) {
  if (CGRectIsNull(r)) return false;
  r = CGRectStandardize(r);
  return p.x >= r.origin.x && p.x < r.origin.x + r.size.width && p.y >= r.origin.y &&
         p.y < r.origin.y + r.size.height;
}

bool CGRectContainsRect(CGRect outer, CGRect inner) {
  if (CGRectIsNull(outer) || CGRectIsNull(inner)) return false;
  outer = CGRectStandardize(outer);
  inner = CGRectStandardize(inner);
  return inner.origin.x >= outer.origin.x && inner.origin.y >= outer.origin.y &&
         inner.origin.x + inner.size.width <= outer.origin.x + outer.size.width &&
         inner.origin.y + inner.size.height <= outer.origin.y + outer.size.height;
}

CGRect CGRectIntersection(CGRect a, CGRect b) {
  if (CGRectIsNull(a) || CGRectIsNull(b)) return CGRectNull;
  a = CGRectStandardize(a);
  b = CGRectStandardize(b);
  CGFloat x0 = std::max(a.origin.x, b.origin.x);
  CGFloat y0 = std::max(a.origin.y, b.origin.y);
  CGFloat x1 = std::min(a.origin.x + a.size.width, b.origin.x + b.size.width);
  CGFloat y1 = std::min(a.origin.y + a.size.height, b.origin.y + b.size.height);
  if (!(x1 >= x0) || !(y1 >= y0)) return CGRectNull;  // also NaN
  return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

bool CGRectIntersectsRect(CGRect a, CGRect b) {
  CGRect i = CGRectIntersection(a, b);
  return !CGRectIsNull(i) && i.size.width > 0 && i.size.height > 0;
}

CGRect CGRectUnion(CGRect a, CGRect b) {
  if (CGRectIsNull(a)) return CGRectStandardize(b);
  if (CGRectIsNull(b)) return CGRectStandardize(a);
  a = CGRectStandardize(a);
  b = CGRectStandardize(b);
  CGFloat x0 = std::min(a.origin.x, b.origin.x);
  CGFloat y0 = std::min(a.origin.y, b.origin.y);
  CGFloat x1 = std::max(a.origin.x + a.size.width, b.origin.x + b.size.width);
  CGFloat y1 = std::max(a.origin.y + a.size.height, b.origin.y + b.size.height);
  return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

CGRect CGRectInset(CGRect r, CGFloat dx, CGFloat dy) {
  if (CGRectIsNull(r)) return r;
  r = CGRectStandardize(r);
  CGRect out = CGRectMake(r.origin.x + dx, r.origin.y + dy, r.size.width - 2 * dx, r.size.height - 2 * dy);
  if (!(out.size.width >= 0) || !(out.size.height >= 0)) return CGRectNull;
  return out;
}

CGRect CGRectOffset(CGRect r, CGFloat dx, CGFloat dy) {
  if (CGRectIsNull(r)) return r;
  r = CGRectStandardize(r);
  r.origin.x += dx;
  r.origin.y += dy;
  return r;
}

bool isFinite(CGPoint p) {
  return std::isfinite(p.x) && std::isfinite(p.y);
}
bool isFinite(CGSize s) {
  return std::isfinite(s.width) && std::isfinite(s.height);
}
bool isFinite(CGRect r) {
  return isFinite(r.origin) && isFinite(r.size);
}
bool isFinite(const CGAffineTransform& t) {
  return std::isfinite(t.a) && std::isfinite(t.b) && std::isfinite(t.c) && std::isfinite(t.d) &&
         std::isfinite(t.tx) && std::isfinite(t.ty);
}

CGAffineTransform CGAffineTransformMake(CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx, CGFloat ty) {
  return {a, b, c, d, tx, ty};
}

CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle) {
  CGFloat s = std::sin(angle);
  CGFloat c = std::cos(angle);
  return {c, s, -s, c, 0, 0};
}

CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy) {
  return {sx, 0, 0, sy, 0, 0};
}

CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty) {
  return {1, 0, 0, 1, tx, ty};
}

CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t1, const CGAffineTransform& t2) {
  return {t1.a * t2.a + t1.b * t2.c,           t1.a * t2.b + t1.b * t2.d,
          t1.c * t2.a + t1.d * t2.c,           t1.c * t2.b + t1.d * t2.d,
          t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

CGAffineTransform CGAffineTransformRotate(const CGAffineTransform& t, CGFloat angle) {
  return CGAffineTransformConcat(CGAffineTransformMakeRotation(angle), t);
}

CGAffineTransform CGAffineTransformScale(const CGAffineTransform& t, CGFloat sx, CGFloat sy) {
  return CGAffineTransformConcat(CGAffineTransformMakeScale(sx, sy), t);
}

CGAffineTransform CGAffineTransformTranslate(const CGAffineTransform& t, CGFloat tx, CGFloat ty) {
  return CGAffineTransformConcat(CGAffineTransformMakeTranslation(tx, ty), t);
}

bool CGAffineTransformIsInvertible(const CGAffineTransform& t) {
  CGFloat det = t.a * t.d - t.b * t.c;
  return isFinite(t) && std::isfinite(det) && det != 0 && std::isfinite(1 / det);
}

CGAffineTransform CGAffineTransformInvert(const CGAffineTransform& t) {
  if (!CGAffineTransformIsInvertible(t)) return t;
  CGFloat det = t.a * t.d - t.b * t.c;
  CGAffineTransform inv{t.d / det, -t.b / det, -t.c / det, t.a / det, 0, 0};
  inv.tx = -(t.tx * inv.a + t.ty * inv.c);
  inv.ty = -(t.tx * inv.b + t.ty * inv.d);
  return inv;
}

bool CGAffineTransformIsIdentity(const CGAffineTransform& t) {
  return t == CGAffineTransformIdentity;
}

bool CGAffineTransformEqualToTransform(const CGAffineTransform& t1, const CGAffineTransform& t2) {
  return t1 == t2;
}

CGPoint CGPointApplyAffineTransform(CGPoint p, const CGAffineTransform& t) {
  return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

CGSize CGSizeApplyAffineTransform(CGSize s, const CGAffineTransform& t) {
  return {t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height};
}

CGRect CGRectApplyAffineTransform(CGRect r, const CGAffineTransform& t) {
  if (CGRectIsNull(r)) return r;
  r = CGRectStandardize(r);
  CGPoint corners[4] = {r.origin,
                        {r.origin.x + r.size.width, r.origin.y},
                        {r.origin.x, r.origin.y + r.size.height},
                        {r.origin.x + r.size.width, r.origin.y + r.size.height}};
  CGPoint first = CGPointApplyAffineTransform(corners[0], t);
  CGFloat x0 = first.x, x1 = first.x, y0 = first.y, y1 = first.y;
  for (const CGPoint& c : corners) {
    CGPoint p = CGPointApplyAffineTransform(c, t);
    if (std::isnan(p.x) || std::isnan(p.y)) {
      constexpr double nan = std::numeric_limits<double>::quiet_NaN();
      return CGRectMake(nan, nan, nan, nan);
    }
    x0 = std::fmin(x0, p.x);
    x1 = std::fmax(x1, p.x);
    y0 = std::fmin(y0, p.y);
    y1 = std::fmax(y1, p.y);
  }
  return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

}  // namespace platform
