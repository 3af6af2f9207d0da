#pragma once
// CoreGraphics geometry: points, sizes, rectangles and affine transforms, in points, y down as UIKit sees
// them. Any double is accepted (NaN, infinities, huge values); nothing here converts to an integer.
#include <cmath>

namespace platform {

using CGFloat = double;

struct CGPoint {
  CGFloat x = 0;
  CGFloat y = 0;
  bool operator==(const CGPoint&) const = default;
};

struct CGSize {
  CGFloat width = 0;
  CGFloat height = 0;
  bool operator==(const CGSize&) const = default;
};

struct CGRect {
  CGPoint origin;
  CGSize size;
  bool operator==(const CGRect&) const = default;
};

// a b 0 / c d 0 / tx ty 1, applied to row vectors: x' = a x + c y + tx, y' = b x + d y + ty.
struct CGAffineTransform {
  CGFloat a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  bool operator==(const CGAffineTransform&) const = default;
};

inline constexpr CGPoint CGPointZero{};
inline constexpr CGSize CGSizeZero{};
inline constexpr CGRect CGRectZero{};
inline constexpr CGAffineTransform CGAffineTransformIdentity{};
// What CoreGraphics answers for an empty intersection: an origin at infinity.
inline constexpr CGRect CGRectNull{{HUGE_VAL, HUGE_VAL}, {0, 0}};

inline constexpr CGPoint CGPointMake(CGFloat x, CGFloat y) {
  return {x, y};
}
inline constexpr CGSize CGSizeMake(CGFloat w, CGFloat h) {
  return {w, h};
}
inline constexpr CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat w, CGFloat h) {
  return {{x, y}, {w, h}};
}

inline bool CGPointEqualToPoint(CGPoint a, CGPoint b) {
  return a == b;
}
inline bool CGSizeEqualToSize(CGSize a, CGSize b) {
  return a == b;
}
inline bool CGRectEqualToRect(CGRect a, CGRect b) {
  return a == b;
}

// Negative widths and heights moved into the origin, as every CoreGraphics rectangle function sees them.
CGRect CGRectStandardize(CGRect r);
bool CGRectIsNull(CGRect r);
bool CGRectIsEmpty(CGRect r);  // null, or zero width or height
bool CGRectIsInfinite(CGRect r);

CGFloat CGRectGetMinX(CGRect r);
CGFloat CGRectGetMidX(CGRect r);
CGFloat CGRectGetMaxX(CGRect r);
CGFloat CGRectGetMinY(CGRect r);
CGFloat CGRectGetMidY(CGRect r);
CGFloat CGRectGetMaxY(CGRect r);
CGFloat CGRectGetWidth(CGRect r);
CGFloat CGRectGetHeight(CGRect r);

// Min edges inside, max edges outside; NaN coordinates are never inside.
bool CGRectContainsPoint(CGRect r, CGPoint p);
bool CGRectContainsRect(CGRect outer, CGRect inner);
bool CGRectIntersectsRect(CGRect a, CGRect b);
// Insetting past the middle gives the null rectangle.
CGRect CGRectInset(CGRect r, CGFloat dx, CGFloat dy);
CGRect CGRectOffset(CGRect r, CGFloat dx, CGFloat dy);
CGRect CGRectIntersection(CGRect a, CGRect b);
CGRect CGRectUnion(CGRect a, CGRect b);

bool isFinite(CGPoint p);
bool isFinite(CGSize s);
bool isFinite(CGRect r);
bool isFinite(const CGAffineTransform& t);

CGAffineTransform CGAffineTransformMake(CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx, CGFloat ty);
// A positive angle turns clockwise on screen, where y points down.
CGAffineTransform CGAffineTransformMakeRotation(CGFloat angle);
CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty);
// t1 first, then t2.
CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t1, const CGAffineTransform& t2);
CGAffineTransform CGAffineTransformRotate(const CGAffineTransform& t, CGFloat angle);
CGAffineTransform CGAffineTransformScale(const CGAffineTransform& t, CGFloat sx, CGFloat sy);
CGAffineTransform CGAffineTransformTranslate(const CGAffineTransform& t, CGFloat tx, CGFloat ty);
// A transform that cannot be inverted (zero or non-finite determinant) comes back unchanged, as in
// CoreGraphics.
CGAffineTransform CGAffineTransformInvert(const CGAffineTransform& t);
bool CGAffineTransformIsInvertible(const CGAffineTransform& t);
bool CGAffineTransformIsIdentity(const CGAffineTransform& t);
bool CGAffineTransformEqualToTransform(const CGAffineTransform& t1, const CGAffineTransform& t2);

CGPoint CGPointApplyAffineTransform(CGPoint p, const CGAffineTransform& t);
// Sizes ignore the translation.
CGSize CGSizeApplyAffineTransform(CGSize s, const CGAffineTransform& t);
// The bounding box of the transformed corners.
CGRect CGRectApplyAffineTransform(CGRect r, const CGAffineTransform& t);

}  // namespace platform
