#include "platform/graphics/color.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using platform::UIColor;

struct HsbCase {
  const char* name;
  double r, g, b, a;
  double h, s, v;
};

TEST(Color, HueSaturationBrightnessMatchTheHsvModel) {
  const HsbCase cases[] = {
      {"red", 1, 0, 0, 1, 0, 1, 1},
      {"green", 0, 1, 0, 1, 1.0 / 3, 1, 1},
      {"blue", 0, 0, 1, 1, 2.0 / 3, 1, 1},
      {"yellow", 1, 1, 0, 1, 1.0 / 6, 1, 1},
      {"cyan", 0, 1, 1, 1, 0.5, 1, 1},
      {"magenta", 1, 0, 1, 1, 5.0 / 6, 1, 1},
      {"white", 1, 1, 1, 1, 0, 0, 1},
      {"black", 0, 0, 0, 1, 0, 0, 0},
      {"grey at half alpha", 0.5, 0.5, 0.5, 0.5, 0, 0, 0.5},
      {"dark orange", 0.5, 0.25, 0, 1, 1.0 / 12, 1, 0.5},
      {"pale rose", 1, 0.5, 0.75, 0.25, 11.0 / 12, 0.5, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    UIColor rgb = UIColor::colorWithRed(c.r, c.g, c.b, c.a);
    double h = -1, s = -1, v = -1, a = -1;
    ASSERT_TRUE(rgb.getHue(&h, &s, &v, &a));
    EXPECT_NEAR(h, c.h, 1e-12);
    EXPECT_NEAR(s, c.s, 1e-12);
    EXPECT_NEAR(v, c.v, 1e-12);
    EXPECT_EQ(a, c.a);
    UIColor back = UIColor::colorWithHue(h, s, v, a);
    EXPECT_NEAR(back.red(), c.r, 1e-12);
    EXPECT_NEAR(back.green(), c.g, 1e-12);
    EXPECT_NEAR(back.blue(), c.b, 1e-12);
    EXPECT_EQ(back.alpha(), c.a);
  }
}

TEST(Color, HueWrapsAroundNearOne) {
  // Just below 1 is almost red with a trace of blue; exactly 1 is red again.
  UIColor nearlyRed = UIColor::colorWithHue(0.999, 1, 1, 1);
  EXPECT_EQ(nearlyRed.red(), 1);
  EXPECT_EQ(nearlyRed.green(), 0);
  EXPECT_GT(nearlyRed.blue(), 0);
  EXPECT_LT(nearlyRed.blue(), 0.01);
  EXPECT_EQ(UIColor::colorWithHue(1, 1, 1, 1), UIColor::redColor());
  double h = -1;
  nearlyRed.getHue(&h, nullptr, nullptr, nullptr);
  EXPECT_NEAR(h, 0.999, 1e-9);
  EXPECT_LT(h, 1);
}

TEST(Color, ComponentsAreClampedAndNaNBecomesZero) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  UIColor c = UIColor::colorWithRed(nan, inf, -inf, 7);
  EXPECT_EQ(c.red(), 0);
  EXPECT_EQ(c.green(), 1);
  EXPECT_EQ(c.blue(), 0);
  EXPECT_EQ(c.alpha(), 1);
  UIColor hsb = UIColor::colorWithHue(nan, -3, inf, nan);
  EXPECT_EQ(hsb, UIColor::colorWithRed(1, 1, 1, 0));
  EXPECT_EQ(UIColor::whiteColor().colorWithAlphaComponent(nan).alpha(), 0);
  EXPECT_EQ(UIColor::whiteColor().colorWithAlphaComponent(1.5).alpha(), 1);
}

TEST(Color, DescriptionNamesTheColourSpaceAndComponents) {
  EXPECT_EQ(UIColor::colorWithRed(1, 0, 0, 0.5).description(), "UIExtendedSRGBColorSpace 1 0 0 0.5");
  EXPECT_EQ(UIColor::clearColor().description(), "UIExtendedSRGBColorSpace 0 0 0 0");
  EXPECT_EQ(UIColor::whiteColor().CGColor(), UIColor::whiteColor());
  EXPECT_NE(UIColor::whiteColor(), UIColor::whiteColor().colorWithAlphaComponent(0.99));
}

}  // namespace
