#include "platform/graphics/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

using namespace platform;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct ContainsCase {
  CGRect rect;
  CGPoint point;
  bool inside;
};

TEST(Geometry, ContainsPointTakesMinEdgesInAndMaxEdgesOut) {
  const ContainsCase cases[] = {
      {CGRectMake(0, 0, 10, 10), {0, 0}, true},
      {CGRectMake(0, 0, 10, 10), {9.999, 9.999}, true},
      {CGRectMake(0, 0, 10, 10), {10, 5}, false},
      {CGRectMake(0, 0, 10, 10), {5, 10}, false},
      {CGRectMake(0, 0, 10, 10), {-0.001, 5}, false},
      // Negative sizes are standardised first: this is the rect (0,0)-(10,10).
      {CGRectMake(10, 10, -10, -10), {0, 0}, true},
      {CGRectMake(10, 10, -10, -10), {10, 10}, false},
      {CGRectMake(0, 0, 0, 10), {0, 5}, false},
      {CGRectMake(0, 0, 10, 10), {kNaN, 5}, false},
      {CGRectMake(kNaN, 0, 10, 10), {5, 5}, false},
      {CGRectNull, {0, 0}, false},
      {CGRectMake(-kInf, -kInf, kInf, kInf), {0, 0}, false},  // -inf + inf is NaN: nothing is inside
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CGRectContainsPoint(c.rect, c.point), c.inside)
        << c.rect.origin.x << "," << c.rect.origin.y << " " << c.rect.size.width << "x" << c.rect.size.height
        << " point " << c.point.x << "," << c.point.y;
  }
}

TEST(Geometry, EdgesAndInsetWorkOnStandardisedRects) {
  CGRect r = CGRectMake(10, 20, -4, -6);
  EXPECT_EQ(CGRectGetMinX(r), 6);
  EXPECT_EQ(CGRectGetMaxX(r), 10);
  EXPECT_EQ(CGRectGetMidY(r), 17);
  EXPECT_EQ(CGRectGetWidth(r), 4);
  EXPECT_EQ(CGRectInset(r, 1, 1), CGRectMake(7, 15, 2, 4));
  EXPECT_TRUE(CGRectIsNull(CGRectInset(r, 3, 0)));  // past the middle
  EXPECT_TRUE(CGRectIsNull(CGRectInset(r, kNaN, 0)));
  EXPECT_EQ(CGRectIntersection(CGRectMake(0, 0, 10, 10), CGRectMake(5, 5, 10, 10)), CGRectMake(5, 5, 5, 5));
  EXPECT_TRUE(CGRectIsNull(CGRectIntersection(CGRectMake(0, 0, 1, 1), CGRectMake(5, 5, 1, 1))));
  EXPECT_EQ(CGRectUnion(CGRectNull, CGRectMake(1, 2, 3, 4)), CGRectMake(1, 2, 3, 4));
}

TEST(Geometry, PositiveRotationTurnsClockwiseOnScreen) {
  // y points down: turning the x axis a quarter clockwise points it down the screen.
  CGPoint p = CGPointApplyAffineTransform({1, 0}, CGAffineTransformMakeRotation(std::numbers::pi / 2));
  EXPECT_NEAR(p.x, 0, 1e-12);
  EXPECT_NEAR(p.y, 1, 1e-12);
}

TEST(Geometry, ConcatAppliesTheFirstTransformFirst) {
  CGAffineTransform scaleThenMove =
      CGAffineTransformConcat(CGAffineTransformMakeScale(2, 3), CGAffineTransformMakeTranslation(10, 20));
  EXPECT_EQ(CGPointApplyAffineTransform({1, 1}, scaleThenMove), CGPointMake(12, 23));
  CGAffineTransform moveThenScale =
      CGAffineTransformConcat(CGAffineTransformMakeTranslation(10, 20), CGAffineTransformMakeScale(2, 3));
  EXPECT_EQ(CGPointApplyAffineTransform({1, 1}, moveThenScale), CGPointMake(22, 63));
  // The ...Translate/Scale/Rotate forms prepend, as CoreGraphics does.
  EXPECT_EQ(CGAffineTransformTranslate(CGAffineTransformMakeScale(2, 3), 10, 20), moveThenScale);
}

TEST(Geometry, InvertRoundTripsAndLeavesSingularTransformsAlone) {
  CGAffineTransform t = CGAffineTransformTranslate(CGAffineTransformMakeRotation(0.7), 5, -3);
  CGAffineTransform back = CGAffineTransformConcat(t, CGAffineTransformInvert(t));
  EXPECT_NEAR(back.a, 1, 1e-12);
  EXPECT_NEAR(back.b, 0, 1e-12);
  EXPECT_NEAR(back.tx, 0, 1e-12);
  EXPECT_NEAR(back.ty, 0, 1e-12);
  const CGAffineTransform singular[] = {CGAffineTransformMakeScale(0, 1), CGAffineTransformMakeScale(kNaN, 1),
                                        CGAffineTransformMakeScale(kInf, 1),
                                        CGAffineTransformMakeScale(1e-200, 1e-200)};
  for (const auto& s : singular) {
    EXPECT_FALSE(CGAffineTransformIsInvertible(s));
    CGAffineTransform inv = CGAffineTransformInvert(s);
    EXPECT_TRUE(inv == s || (std::isnan(inv.a) && std::isnan(s.a)));
  }
}

TEST(Geometry, RectTransformGivesTheBoundingBox) {
  CGRect r = CGRectApplyAffineTransform(CGRectMake(0, 0, 100, 50),
                                        CGAffineTransformMakeRotation(std::numbers::pi / 2));
  EXPECT_NEAR(r.origin.x, -50, 1e-9);
  EXPECT_NEAR(r.origin.y, 0, 1e-9);
  EXPECT_NEAR(r.size.width, 50, 1e-9);
  EXPECT_NEAR(r.size.height, 100, 1e-9);
  CGRect nan = CGRectApplyAffineTransform(CGRectMake(0, 0, kNaN, 1), CGAffineTransformIdentity);
  EXPECT_FALSE(isFinite(nan));
}

}  // namespace
