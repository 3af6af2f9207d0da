// The HUD's size, rotation and place for each interface orientation, laid out as the shell turns.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"
#include "support/phone.h"

namespace {

using platform::CGPoint;
using platform::CGRect;
using platform::PlistValue;
using testing_support::Phone;
using testing_support::PhoneOptions;
using testing_support::settings;

constexpr double kPi = 3.14159265358979323846;

PhoneOptions notchedWith(platform::PlistDict file) {
  PhoneOptions o = testing_support::notchedPhone();
  o.settings = std::move(file);
  return o;
}

void expectRectNear(const CGRect& got, const CGRect& want, double tolerance = 1e-9) {
  EXPECT_NEAR(got.origin.x, want.origin.x, tolerance);
  EXPECT_NEAR(got.origin.y, want.origin.y, tolerance);
  EXPECT_NEAR(got.size.width, want.size.width, tolerance);
  EXPECT_NEAR(got.size.height, want.size.height, tolerance);
}

double rotationOf(const platform::UIView& view) { return std::atan2(view.transform().b, view.transform().a); }

TEST(Layout, TheWorkedExampleInLandscapeAndPortrait) {
  Phone phone(notchedWith(settings({{"volumePercentage", true}})));
  auto& lib = phone.tarvo();
  auto& v = lib.views;
  phone.rotate(3);

  EXPECT_EQ(lib.geometry.screenWidth, 375);
  EXPECT_EQ(lib.geometry.screenHeight, 812);
  EXPECT_EQ(lib.settings.WIDTH, 80.0f);
  EXPECT_EQ(lib.geometry.hudHeight, 28.0f);
  EXPECT_EQ(lib.geometry.sliderViewWidth, 60.0f);
  EXPECT_NEAR(rotationOf(*v.tarvoHUDWindow), kPi / 2, 1e-12);
  EXPECT_EQ(v.tarvoHUDWindow->bounds(), (CGRect{{0, 0}, {140, 28}}));
  EXPECT_EQ(v.tarvoHUDWindow->center(), (CGPoint{351, 732}));
  // Turned a quarter clockwise: 10 points below the user's top edge and 10 from their right edge.
  expectRectNear(v.tarvoHUDWindow->frame(), CGRect{{337, 662}, {28, 140}});

  EXPECT_EQ(v.tarvoHUDSliderView->frame(), (CGRect{{30, 12}, {60, 4}}));
  EXPECT_EQ(v.tarvoHUDSliderView->layer().cornerRadius(), 2.0);
  EXPECT_TRUE(v.tarvoHUDSliderView->layer().masksToBounds());
  EXPECT_EQ(v.tarvoHUDSlider->frame(), (CGRect{{0, 0}, {60, 4}}));
  for (const std::shared_ptr<platform::UIView>& background :
       {std::shared_ptr<platform::UIView>(v.tarvoBlurEffectView), std::shared_ptr<platform::UIView>(v.tarvoVibrancyEffectView),
        v.tarvoHUDView}) {
    EXPECT_EQ(background->frame(), (CGRect{{0, 0}, {140, 28}}));
    EXPECT_EQ(background->layer().cornerRadius(), 5.0);
    EXPECT_TRUE(background->layer().masksToBounds());
  }
  EXPECT_EQ(v.tarvoHUDLabel->frame(), (CGRect{{96, -6}, {34, 40}}));
  EXPECT_EQ(v.tarvoHUDMinImageView->frame(), (CGRect{{10, 7}, {14, 14}}));
  EXPECT_EQ(v.tarvoHUDMaxImageView->frame(), (CGRect{{116, 7}, {14, 14}}));

  phone.rotate(1);
  EXPECT_EQ(v.tarvoHUDWindow->transform(), platform::CGAffineTransformIdentity);
  EXPECT_EQ(v.tarvoHUDWindow->frame(), (CGRect{{225, 10}, {140, 28}}));
  EXPECT_EQ(v.tarvoHUDLabel->frame(), (CGRect{{96, -6}, {34, 40}}));
  EXPECT_EQ(v.tarvoHUDSliderView->frame(), (CGRect{{30, 12}, {60, 4}}));
}

// Distinct margins per orientation: portrait Y 20, L 5; landscape Y 30, L 15. The HUD is 100 x 28.
TEST(Layout, RotationAndCentreByOrientationAlignmentAndEdge) {
  struct Case {
    long long orientation;
    int alignment;
    bool fromBottom;
    double rotation;
    CGPoint centre;
  } cases[] = {
      {1, 0, false, 0, {55, 34}},          {1, 2, false, 0, {320, 34}},        {1, 1, false, 0, {187.5, 34}},
      {1, 3, false, 0, {187.5, 34}},       {1, -1, false, 0, {187.5, 34}},     {1, 2, true, 0, {320, 778}},
      {2, 2, false, 0, {320, 34}},         {0, 0, true, 0, {55, 778}},         {7, 1, false, 0, {187.5, 34}},
      {-1, 2, false, 0, {320, 34}},        {3, 0, false, kPi / 2, {331, 65}},  {3, 2, false, kPi / 2, {331, 747}},
      {3, 1, false, kPi / 2, {331, 406}},  {3, 2, true, kPi / 2, {44, 747}},   {4, 2, false, -kPi / 2, {44, 65}},
      {4, 0, false, -kPi / 2, {44, 747}},  {4, -1, false, -kPi / 2, {44, 406}}, {4, 2, true, -kPi / 2, {331, 65}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "orientation " << c.orientation << " alignment " << c.alignment
                                      << (c.fromBottom ? " from bottom" : ""));
    Phone phone(notchedWith(settings({{"alignment", c.alignment}, {"fromBottom", c.fromBottom},
                                      {"yPosition", 20}, {"rightLeftFixed", 5}, {"yPositionLandscape", 30},
                                      {"rightLeftFixedLandscape", 15}})));
    phone.rotate(c.orientation);
    auto& window = *phone.tarvo().views.tarvoHUDWindow;
    EXPECT_NEAR(rotationOf(window), c.rotation, 1e-12);
    EXPECT_EQ(window.center(), c.centre);
    EXPECT_EQ(window.bounds().size, (platform::CGSize{100, 28}));
  }
}

TEST(Layout, FullWidthWritesTheWidthUntilTheNextReload) {
  struct Case {
    long long orientation;
    bool percentage;
    float width;
    double hudWidth;
  } cases[] = {{3, false, 802, 822}, {4, true, 802, 862}, {1, false, 365, 385}, {2, true, 365, 425}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.orientation);
    platform::PlistDict file = settings({{"fullWidth", true}, {"volumePercentage", c.percentage}});
    Phone phone(notchedWith(file));
    auto& lib = phone.tarvo();
    phone.rotate(c.orientation);
    EXPECT_EQ(lib.settings.WIDTH, c.width);
    EXPECT_EQ(phone.hudRect("tarvoHUDWindow.bounds").size.width, c.hudWidth);
    EXPECT_EQ(lib.geometry.sliderViewWidth, c.width - 20);
    phone.changeSettings(file);
    EXPECT_EQ(lib.settings.WIDTH, 80.0f);  // the configured width is back until the next layout
  }
}

TEST(Layout, IconRoomFollowsTheCurrentModesOwnSetting) {
  struct Case {
    const char* name;
    platform::PlistDict file;
    int mode;
    float sliderWidth;
    double containerX, labelX, maxIconX;
  } cases[] = {
      // Without the panel: W = WIDTH (+ 40 for the label); the label sits 34 or 38 in from the right.
      {"media, only ringer icons", settings({{"overlayBackground", false}, {"mediaIndicator", false}}), 0, 72, 4, 42, 66},
      {"same with percentage",
       settings({{"overlayBackground", false}, {"mediaIndicator", false}, {"volumePercentage", true}}), 0, 72, 4, 82,
       106},
      {"ringer, only ringer icons", settings({{"overlayBackground", false}, {"mediaIndicator", false}}), 1, 60, 20, 46,
       66},
      {"media pair", settings({{"overlayBackground", false}, {"singleIndicator", false}}), 0, 40, 20, 46, 66},
      {"panel, no icons", settings({{"mediaIndicator", false}, {"ringerIndicator", false}}), 0, 72, 14, 56, 76},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Phone phone(notchedWith(c.file));
    auto& lib = phone.tarvo();
    lib.volume.tarvoVolumeMode = static_cast<tarvo::VolumeMode>(c.mode);
    phone.rotate(1);
    auto& v = lib.views;
    EXPECT_EQ(lib.geometry.sliderViewWidth, c.sliderWidth);
    EXPECT_EQ(v.tarvoHUDSliderView->frame().origin.x, c.containerX);
    EXPECT_EQ(v.tarvoHUDLabel->frame().origin.x, c.labelX);
    EXPECT_EQ(v.tarvoHUDMaxImageView->frame().origin.x, c.maxIconX);
  }
  // Without the panel the HUD is 16 points taller than the track, everything centred in it.
  Phone phone(notchedWith(settings({{"overlayBackground", false}})));
  phone.rotate(1);
  auto& v = phone.tarvo().views;
  EXPECT_EQ(v.tarvoHUDWindow->bounds().size, (platform::CGSize{80, 20}));
  EXPECT_EQ(v.tarvoHUDSliderView->frame(), (CGRect{{20, 8}, {60, 4}}));
  EXPECT_EQ(v.tarvoHUDLabel->frame().origin.y, -10);
  EXPECT_EQ(v.tarvoHUDMinImageView->frame(), (CGRect{{0, 3}, {14, 14}}));
}

TEST(Layout, LengthsAreSinglePrecisionAndTheBoundsOriginIsKept) {
  Phone phone(notchedWith(settings({{"sliderWidth", 80.1}, {"paddingRightLeft", 0.1}, {"sliderHeight", 4.3}})));
  auto& v = phone.tarvo().views;
  v.tarvoHUDWindow->setBounds(CGRect{{5, 7}, {10, 10}});
  phone.rotate(1);
  const float width = 80.1f + 2 * 0.1f;
  const float height = 4.3f + 2 * 12.0f;
  EXPECT_EQ(v.tarvoHUDWindow->bounds(), (CGRect{{5, 7}, {width, height}}));
  EXPECT_EQ(v.tarvoHUDView->frame(), v.tarvoHUDWindow->bounds());
  EXPECT_EQ(v.tarvoHUDSliderView->frame().origin.y, static_cast<double>(height / 2 - 4.3f / 2));
}

TEST(Layout, AnimatedLayoutMovesTheWindowFromWhereItIsOnScreen) {
  Phone phone(notchedWith({}));
  auto& v = phone.tarvo().views;
  phone.rotate(1);
  phone.changeSettings(settings({{"sliderWidth", 100}}));  // so that the size changes too
  phone.clearTrace();
  phone.hud().adjustViewsForOrientation(tarvo::InterfaceOrientation::LandscapeRight, true);
  auto begins = phone.events("animation.begin");
  ASSERT_EQ(begins.size(), 1u);
  EXPECT_EQ(*begins[0].fields.find("duration"), PlistValue(0.5));
  EXPECT_EQ(*begins[0].fields.find("options"), PlistValue(std::int64_t{4}));
  std::vector<std::string> changed;
  for (const auto& change : *begins[0].fields.find("changes")->asArray()) {
    const std::string& view = *change.asDict()->find("view")->asString();
    if (view == "UIWindow") changed.push_back(view + "." + *change.asDict()->find("property")->asString());
  }
  EXPECT_EQ(changed, (std::vector<std::string>{"UIWindow.transform", "UIWindow.bounds", "UIWindow.center"}));
  // The HUD view followed the window's size inside the block, but its frame was then set outright.
  for (const auto& inner : v.tarvoHUDWindow->subviews()[0]->subviews()) EXPECT_TRUE(inner->animations().empty());
  EXPECT_TRUE(v.tarvoHUDView->animations().empty());
  EXPECT_EQ(v.tarvoHUDWindow->center(), (CGPoint{351, 742}));  // the model at once
  EXPECT_EQ(v.tarvoHUDSliderView->frame(), (CGRect{{30, 12}, {80, 4}}));  // inner frames at once

  // Half way, turned back: the new animation starts from the centre on screen.
  phone.advance(0.25);
  const CGPoint onScreen = v.tarvoHUDWindow->presentation(phone.device.now()).center;
  EXPECT_NE(onScreen, (CGPoint{351, 742}));
  phone.hud().adjustViewsForOrientation(tarvo::InterfaceOrientation::Portrait, true);
  auto change = testing_support::lastChange(phone, "UIWindow", "center");
  ASSERT_TRUE(change);
  EXPECT_EQ(*change->find("from"), PlistValue(platform::PlistArray{onScreen.x, onScreen.y}));
}

// No value is validated, but nothing undefined happens with absurd ones, from layout to the next hide.
TEST(Layout, AbsurdSizesStayDefined) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double values[] = {nan, inf, -inf, -1e30, 1e30, 0, -8};
  for (double value : values) {
    SCOPED_TRACE(value);
    Phone phone(notchedWith(settings({{"sliderWidth", value}, {"sliderHeight", value}, {"paddingRightLeft", value},
                                      {"yPosition", value}, {"overlayCornerRadius", value},
                                      {"volumePercentage", true}})));
    for (long long orientation : {1, 3, 4}) phone.rotate(orientation);
    phone.press();
    phone.hud().adjustViewsForOrientation(tarvo::InterfaceOrientation::LandscapeRight, true);
    phone.tapHUD();
    phone.advance(3);
    EXPECT_TRUE(phone.hudFlag("tarvoHUDWindow.hidden"));
  }
}

}  // namespace
