#include <gtest/gtest.h>

#include <limits>
#include <numbers>

#include "platform/uikit/animation.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "render_fixture.h"

namespace {

using namespace platform;
using render_test::at;
using render_test::near;
using render_test::RenderTest;
using render_test::show;

const RGBA8 kBlack{0, 0, 0, 255};
const RGBA8 kRed{255, 0, 0, 255};
const RGBA8 kBlue{0, 0, 255, 255};
const RGBA8 kWhite{255, 255, 255, 255};

TEST_F(RenderTest, WindowsStackByLevelAndHiddenOnesAreNotDrawn) {
  auto low = window();
  low->setBackgroundColor(UIColor::redColor());
  auto high = window(CGRectMake(60, 0, 60, 80));
  high->setBackgroundColor(UIColor::blueColor());
  high->setWindowLevel(UIWindowLevelAlert);
  auto hidden = window();
  hidden->setWindowLevel(UIWindowLevelAlert + 1);
  hidden->setBackgroundColor(UIColor::greenColor());
  hidden->setHidden(true);
  CGImageRef image = render();
  ASSERT_EQ(image->width(), 240);
  ASSERT_EQ(image->height(), 160);
  EXPECT_EQ(at(image, 30, 40), kRed);
  EXPECT_EQ(at(image, 90, 40), kBlue);
  high->setWindowLevel(UIWindowLevelNormal - 1);
  EXPECT_EQ(at(render(), 90, 40), kRed);
}

TEST_F(RenderTest, OpacityMultipliesDownTheTree) {
  auto w = window();
  auto parent = add(w, CGRectMake(0, 0, 120, 80));
  auto child = add(parent, CGRectMake(10, 10, 20, 20));
  parent->setAlpha(0.5);
  child->setAlpha(0.5);
  child->setBackgroundColor(UIColor::whiteColor());
  EXPECT_TRUE(near(at(render(), 20, 20), {64, 64, 64, 255})) << show(at(render(), 20, 20));
  // Group opacity: an opaque child over its parent's background shows the child's colour, faded once.
  parent->setBackgroundColor(UIColor::redColor());
  child->setAlpha(1);
  RGBA8 over = at(render(), 20, 20);
  EXPECT_TRUE(near(over, {128, 128, 128, 255})) << show(over);
}

TEST_F(RenderTest, RoundedCornersClipWhenTheLayerMasks) {
  auto w = window();
  auto panel = add(w, CGRectMake(20, 20, 80, 40));
  panel->setBackgroundColor(UIColor::whiteColor());
  panel->layer().setCornerRadius(15);
  auto overflow = add(panel, CGRectMake(-10, -10, 30, 30));
  overflow->setBackgroundColor(UIColor::redColor());
  CGImageRef unclipped = render();
  EXPECT_EQ(at(unclipped, 12, 12), kRed);        // outside the panel, drawn anyway
  EXPECT_EQ(at(unclipped, 98.5, 58.5), kBlack);  // the rounded corner leaves the background
  EXPECT_EQ(at(unclipped, 60, 40), kWhite);
  panel->layer().setMasksToBounds(true);
  CGImageRef clipped = render();
  EXPECT_EQ(at(clipped, 12, 12), kBlack);
  EXPECT_EQ(at(clipped, 21, 21), kBlack);  // inside the bounds, outside the rounded corner
  EXPECT_EQ(at(clipped, 30, 30), kRed);
}

TEST_F(RenderTest, ShadowsFallOutsideTheLayerAndTurnWithIt) {
  auto w = window();
  w->setBackgroundColor(UIColor::whiteColor());
  auto panel = add(w, CGRectMake(30, 20, 60, 30));
  panel->setBackgroundColor(UIColor::whiteColor());
  panel->layer().setShadowOpacity(1);
  panel->layer().setShadowRadius(2);
  panel->layer().setShadowOffset({0, 8});
  CGImageRef image = render();
  EXPECT_LT(at(image, 60, 53).r, 200);    // below the panel: shadow
  EXPECT_EQ(at(image, 60, 15), kWhite);   // above it: none
  panel->layer().setMasksToBounds(true);  // the mask clips the shadow away
  EXPECT_EQ(at(render(), 60, 53), kWhite);
}

TEST_F(RenderTest, TransformsTurnViewsAboutTheirCentre) {
  auto w = window();
  auto bar = add(w, CGRectMake(20, 35, 80, 10));  // centre (60, 40)
  bar->setBackgroundColor(UIColor::redColor());
  auto tip = add(bar, CGRectMake(70, 0, 10, 10));  // the bar's right end
  tip->setBackgroundColor(UIColor::blueColor());
  bar->setTransform(CGAffineTransformMakeRotation(std::numbers::pi / 2));
  CGImageRef image = render();
  EXPECT_EQ(at(image, 60, 10), kRed);
  EXPECT_EQ(at(image, 30, 40), kBlack);
  EXPECT_EQ(at(image, 60, 75), kBlue);  // turned clockwise, the right end points down
}

TEST_F(RenderTest, PresentationValuesAreDrawnAtTheGivenTime) {
  auto w = window();
  auto v = add(w, CGRectMake(0, 0, 120, 80));
  v->setBackgroundColor(UIColor::whiteColor());
  v->setAlpha(0);
  UIView::animateWithDuration(proc, 1, 0, UIViewAnimationOptionCurveLinear, [&] { v->setAlpha(1); }, {});
  EXPECT_EQ(at(render(0), 5, 5), kBlack);
  EXPECT_TRUE(near(at(render(secondsToNanos(0.5)), 5, 5), {128, 128, 128, 255}));
  EXPECT_EQ(at(render(secondsToNanos(2)), 5, 5), kWhite);
}

TEST_F(RenderTest, ImageViewsStretchAndHonourMirroring) {
  auto w = window();
  CGImageRef halves = CGImage::make(2, 1, {0xffff0000u, 0xff0000ffu});
  auto plain = add<UIImageView>(w, CGRectMake(0, 0, 60, 40), "UIImageView");
  plain->setImage(UIImage::imageWithCGImage(halves));
  auto mirrored = add<UIImageView>(w, CGRectMake(0, 40, 60, 40), "UIImageView");
  mirrored->setImage(UIImage::imageWithCGImage(halves, 1, UIImageOrientationUpMirrored));
  CGImageRef image = render();
  EXPECT_EQ(at(image, 5, 20), kRed);
  EXPECT_EQ(at(image, 55, 20), kBlue);
  EXPECT_EQ(at(image, 5, 60), kBlue);
  EXPECT_EQ(at(image, 55, 60), kRed);
}

TEST_F(RenderTest, SliderTracksSplitAtTheValueAndTheTrackRectComesFromTheRuntime) {
  rt::Class& thick = proc.runtime().registerClass("ThickSlider", "UISlider");
  rt::defineMethod<CGRect(CGRect)>(thick, "trackRectForBounds:", [](const rt::Id&, CGRect bounds) {
    return CGRectMake(bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
  });
  auto w = window();
  auto slider = add<UISlider>(w, CGRectMake(10, 20, 100, 20), "ThickSlider");
  slider->setMinimumTrackImage(solidImage({4, 4}, UIColor::redColor()), UIControlStateNormal);
  slider->setMaximumTrackImage(solidImage({4, 4}, UIColor::blueColor()), UIControlStateNormal);
  slider->setThumbImage(UIImage::imageWithCGImage(CGImage::make(0, 0, {})), UIControlStateNormal);
  slider->setValue(0.3f);
  CGImageRef image = render();
  EXPECT_EQ(at(image, 11, 30), kRed);
  EXPECT_EQ(at(image, 39, 21), kRed);  // the whole thick track is drawn: the runtime's rect was used
  EXPECT_EQ(at(image, 41, 38), kBlue);
  EXPECT_EQ(at(image, 109, 30), kBlue);
  // With a thumb image, the thumb sits on the track at the value.
  slider->setThumbImage(solidImage({10, 10}, UIColor::whiteColor()), UIControlStateNormal);
  EXPECT_EQ(at(render(), 10 + 27 + 5, 30), kWhite);
}

TEST_F(RenderTest, LabelsDrawCentredTextInTheirColour) {
  auto w = window();
  w->setBackgroundColor(UIColor::whiteColor());
  auto label = add<UILabel>(w, CGRectMake(0, 20, 120, 40), "UILabel");
  label->setText("MMMM");
  label->setFont(UIFont::fontWithName("Avenir-Heavy", 16));
  label->setTextColor(UIColor::redColor());
  label->setTextAlignment(NSTextAlignmentCenter);
  CGImageRef image = render();
  int redLeft = 240, redRight = 0, redTop = 160, redBottom = 0;
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 240; ++x)
      if (image->rgba(x, y).g < 100) {
        redLeft = std::min(redLeft, x), redRight = std::max(redRight, x);
        redTop = std::min(redTop, y), redBottom = std::max(redBottom, y);
      }
  ASSERT_LT(redLeft, redRight);
  EXPECT_NEAR((redLeft + redRight) / 2.0, 120, 3);  // centred across
  EXPECT_NEAR((redTop + redBottom) / 2.0, 80, 6);   // and down
  EXPECT_GT(redTop, 40);
  EXPECT_LT(redBottom, 120);
  label->setTextAlignment(NSTextAlignmentRight);
  CGImageRef right = render();
  int rightmost = 0;
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 240; ++x)
      if (right->rgba(x, y).g < 100) rightmost = std::max(rightmost, x);
  EXPECT_GT(rightmost, 230);
}

TEST_F(RenderTest, LabelsSizeToFitTheirText) {
  auto label = makeView<UILabel>(proc, "UILabel", CGRectMake(5, 6, 1, 1));
  label->setFont(UIFont::fontWithName("Avenir-Heavy", 20));
  EXPECT_EQ(label->sizeThatFits({100, 100}), CGSizeZero);
  label->setText("Volume");
  CGSize one = label->sizeThatFits({100, 100});
  label->setText("Volume Volume\nsecond line");
  CGSize two = label->sizeThatFits({100, 100});
  EXPECT_GT(one.width, 50);
  EXPECT_LT(one.width, 120);
  EXPECT_NEAR(two.width, 2 * one.width + 6, 6);  // the line ends at the break; a space is about 6 points
  EXPECT_EQ(one.height, two.height);
  EXPECT_GT(one.height, 20);
  EXPECT_LT(one.height, 30);
  label->sizeToFit();
  EXPECT_EQ(label->frame(), CGRectMake(5, 6, two.width, two.height));
}

TEST_F(RenderTest, UnknownFontsFallBackToABoldSans) {
  EXPECT_NE(renderer.fontFileFor("Avenir-Heavy").find("DejaVuSans-Bold"), std::string::npos)
      << renderer.fontFileFor("Avenir-Heavy");
  EXPECT_NE(renderer.fontFileFor("DejaVuSans").find("DejaVuSans.ttf"), std::string::npos)
      << renderer.fontFileFor("DejaVuSans");
  EXPECT_NE(renderer.fontFileFor("DejaVu Serif").find("DejaVuSerif.ttf"), std::string::npos);
  EXPECT_NE(renderer.fontFileFor("DejaVuSans-Bold").find("DejaVuSans-Bold.ttf"), std::string::npos);
  EXPECT_FALSE(renderer.fontFileFor(kSystemFontName).empty());
}

TEST_F(RenderTest, LayersRenderIntoImageContexts) {
  auto panel = makeView<UIView>(proc, "UIView", CGRectMake(50, 50, 4, 2));
  panel->setBackgroundColor(UIColor::redColor());
  auto half = add(panel, CGRectMake(2, 0, 2, 2));
  half->setBackgroundColor(UIColor::blueColor());
  UIGraphicsBeginImageContextWithOptions(proc, {4, 2}, false, 1);
  renderInContext(panel->layer(), UIGraphicsGetCurrentContext(proc));
  UIImagePtr snapshot = UIGraphicsGetImageFromCurrentImageContext(proc);
  UIGraphicsEndImageContext(proc);
  EXPECT_EQ(snapshot->CGImage()->rgba(0, 0), kRed);  // the layer's own origin at the context's origin
  EXPECT_EQ(snapshot->CGImage()->rgba(3, 1), kBlue);
  renderInContext(panel->layer(), nullptr);
}

TEST_F(RenderTest, HostileGeometryIsSkippedNotCrashedOn) {
  const double inf = std::numeric_limits<double>::infinity();
  auto w = window();
  w->setBackgroundColor(UIColor::blueColor());
  add(w, CGRectMake(0, 0, 1e300, 1e300))->setBackgroundColor(UIColor::redColor());
  add(w, CGRectMake(-inf, 0, inf, 10))->setBackgroundColor(UIColor::redColor());
  add(w, CGRectMake(1e12, 1e12, 10, 10))->setBackgroundColor(UIColor::redColor());
  auto flat = add(w, CGRectMake(0, 0, 50, 50));
  flat->setBackgroundColor(UIColor::redColor());
  flat->setTransform(CGAffineTransformMakeScale(0, 1));
  auto huge = add(w, CGRectMake(0, 0, 10, 10));
  huge->setTransform(CGAffineTransformMakeScale(1e200, 1e200));
  huge->setBackgroundColor(UIColor::redColor());
  auto label = add<UILabel>(w, CGRectMake(0, 0, 50, 20), "UILabel");
  label->setText(std::string("bad \xff\xfe utf8 \xed\xa0\x80"));
  label->setFont(UIFont::fontWithName("x", 1e9));
  auto shadowed = add(w, CGRectMake(0, 0, 5, 5));
  shadowed->setBackgroundColor(UIColor::redColor());
  shadowed->layer().setShadowOpacity(1);
  shadowed->layer().setShadowRadius(inf);
  shadowed->layer().setShadowOffset({std::numeric_limits<double>::quiet_NaN(), inf});
  shadowed->layer().setCornerRadius(-5);
  CGImageRef image = render();
  EXPECT_EQ(at(image, 100, 70), kBlue);
  const double sizes[][2] = {{0, 0}, {-1, 5}, {inf, 1}, {1e9, 1e9}};
  for (const auto& s : sizes) {
    options.screenSize = {s[0], s[1]};
    EXPECT_TRUE(render());
  }
  options.screenSize = {120, 80};
  options.scale = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(render()->width(), 120);
}

}  // namespace
