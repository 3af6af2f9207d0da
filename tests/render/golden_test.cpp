// Small renders compared with PNGs under tests/golden/ (TARVO_REBASELINE=failing rewrites those that differ).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "platform/graphics/png_codec.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/visual_effect_view.h"
#include "render_fixture.h"
#include "support/golden.h"

namespace {

using namespace platform;
using render_test::RenderTest;
using golden::expectMatchesGolden;
using golden::Tolerance;

struct GoldenTest : RenderTest {
  // A wallpaper with structure, so that translucency, shadows and blur have something to show.
  std::shared_ptr<UIImageView> wallpaper(const std::shared_ptr<UIWindow>& w) {
    UIGraphicsBeginImageContextWithOptions(proc, {120, 80}, true, 2);
    CGContextRef ctx = UIGraphicsGetCurrentContext(proc);
    for (int i = 0; i < 16; ++i) {
      CGContextSetFillColorWithColor(ctx, UIColor::colorWithHue(0.5 + i * 0.015, 0.7, 0.75 - i * 0.02, 1));
      CGContextFillRect(ctx, CGRectMake(0, i * 5, 120, 5));
    }
    CGContextSetFillColorWithColor(ctx, UIColor::colorWithRed(1, 0.8, 0.2, 1));
    CGContextFillEllipseInRect(ctx, CGRectMake(8, 8, 34, 34));
    CGContextSetFillColorWithColor(ctx, UIColor::colorWithRed(0.9, 0.2, 0.4, 1));
    CGContextFillEllipseInRect(ctx, CGRectMake(70, 36, 40, 40));
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext(proc);
    UIGraphicsEndImageContext(proc);
    auto view = add<UIImageView>(w, CGRectMake(0, 0, 120, 80), "UIImageView");
    view->setImage(image);
    return view;
  }
  std::shared_ptr<UILabel> label(const std::shared_ptr<UIView>& parent, CGRect frame, std::string text,
                                 double size, UIColor color) {
    auto l = add<UILabel>(parent, frame, "UILabel");
    l->setText(std::move(text));
    l->setFont(UIFont::fontWithName("Avenir-Heavy", size));
    l->setTextColor(color);
    l->setTextAlignment(NSTextAlignmentCenter);
    return l;
  }
};

TEST_F(GoldenTest, RoundedShadowedHalfTransparentPanelWithALabel) {
  auto w = window();
  wallpaper(w);
  auto panel = add(w, CGRectMake(15, 18, 90, 44));
  panel->setBackgroundColor(UIColor::whiteColor().colorWithAlphaComponent(0.5));
  panel->layer().setCornerRadius(12);
  panel->layer().setShadowOpacity(0.6f);
  panel->layer().setShadowRadius(4);
  panel->layer().setShadowOffset({0, 3});
  label(panel, CGRectMake(0, 12, 90, 20), "Volume", 11, UIColor::colorWithWhite(0.1, 1));
  expectMatchesGolden(render(), "panel", {8, 96, {CGRectMake(15, 28, 90, 24)}});
}

TEST_F(GoldenTest, SliderWithTrackImagesAtThreeTenths) {
  rt::Class& wide = proc.runtime().registerClass("GoldenSlider", "UISlider");
  rt::defineMethod<CGRect(CGRect)>(wide, "trackRectForBounds:", [](const rt::Id&, CGRect bounds) {
    return CGRectMake(bounds.origin.x, CGRectGetMidY(bounds) - 3, bounds.size.width, 6);
  });
  auto w = window();
  w->setBackgroundColor(UIColor::colorWithWhite(0.15, 1));
  auto slider = add<UISlider>(w, CGRectMake(10, 30, 100, 20), "GoldenSlider");
  slider->setMinimumTrackImage(solidImage({4, 4}, UIColor::colorWithRed(1, 0.6, 0.1, 1)),
                               UIControlStateNormal);
  slider->setMaximumTrackImage(solidImage({4, 4}, UIColor::colorWithWhite(1, 0.3)), UIControlStateNormal);
  UIGraphicsBeginImageContextWithOptions(proc, {12, 12}, false, 2);
  CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(proc), UIColor::whiteColor());
  CGContextFillEllipseInRect(UIGraphicsGetCurrentContext(proc), CGRectMake(0, 0, 12, 12));
  slider->setThumbImage(UIGraphicsGetImageFromCurrentImageContext(proc), UIControlStateNormal);
  UIGraphicsEndImageContext(proc);
  slider->setValue(0.3f);
  // The default slider below: system track colours and thumb.
  auto plain = add<UISlider>(w, CGRectMake(10, 52, 100, 30), "UISlider");
  plain->setValue(0.7f);
  expectMatchesGolden(render(), "slider", {});
}

TEST_F(GoldenTest, RotatedWindow) {
  auto background = window();
  background->setBackgroundColor(UIColor::colorWithWhite(0.9, 1));
  auto hud = window(CGRectMake(20, 20, 80, 40));
  hud->setWindowLevel(UIWindowLevelAlert);
  hud->setBackgroundColor(UIColor::systemBlueColor());
  hud->layer().setCornerRadius(8);
  hud->layer().setMasksToBounds(true);
  add(hud, CGRectMake(0, 0, 12, 12))->setBackgroundColor(UIColor::redColor());  // shows which corner is which
  label(hud, CGRectMake(10, 10, 60, 20), "HUD", 12, UIColor::whiteColor());
  hud->setTransform(CGAffineTransformMakeRotation(std::numbers::pi / 2));
  expectMatchesGolden(render(), "rotated_window", {8, 96, {CGRectMake(45, 15, 30, 50)}});
}

TEST_F(GoldenTest, LightBlurOverTheWallpaper) {
  auto w = window();
  wallpaper(w);
  auto blur = makeVisualEffectView(proc, UIBlurEffect::effectWithStyle(UIBlurEffectStyleLight));
  blur->setFrame(CGRectMake(10, 15, 100, 50));
  blur->layer().setCornerRadius(12);
  blur->layer().setMasksToBounds(true);
  w->addSubview(blur);
  label(blur->contentView(), CGRectMake(0, 15, 100, 20), "Blur", 12, UIColor::colorWithWhite(0.2, 1));
  expectMatchesGolden(render(), "blur", {8, 96, {CGRectMake(10, 25, 100, 30)}});
}

}  // namespace
