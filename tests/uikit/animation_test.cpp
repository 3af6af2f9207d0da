#include <gtest/gtest.h>

#include <limits>
#include <numbers>

#include "platform/uikit/animation_center.h"
#include "platform/uikit/slider.h"
#include "uikit_fixture.h"

namespace {

using namespace platform;
using uikit_test::UIKitTest;

struct CurveCase {
  unsigned options;
  double atHalf;
};

TEST(TimingCurve, CurvesStartAtZeroEndAtOneAndBendAsNamed) {
  const CurveCase cases[] = {
      {UIViewAnimationOptionCurveEaseInOut, 0.5},
      {UIViewAnimationOptionCurveLinear, 0.5},
      {UIViewAnimationOptionCurveEaseIn, 0.3153},
      {UIViewAnimationOptionCurveEaseOut, 0.6847},
      {7u << 16, 0.5},  // unknown curves ease in and out
  };
  for (const auto& c : cases) {
    TimingCurve curve = TimingCurve::fromOptions(c.options | UIViewAnimationOptionBeginFromCurrentState);
    EXPECT_EQ(curve.progress(0), 0) << c.options;
    EXPECT_EQ(curve.progress(1), 1) << c.options;
    EXPECT_NEAR(curve.progress(0.5), c.atHalf, 1e-3) << c.options;
    EXPECT_EQ(curve.progress(-1), 0);
    EXPECT_EQ(curve.progress(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(curve.progress(2), 1);
  }
  // Ease in and out is slow at both ends: a quarter of the time covers less than a quarter of the way.
  EXPECT_LT(TimingCurve::fromOptions(0).progress(0.25), 0.25);
  EXPECT_GT(TimingCurve::fromOptions(0).progress(0.75), 0.75);
}

TEST(TimingCurve, SpringsSettleAndLightOnesOvershoot) {
  TimingCurve bouncy = TimingCurve::spring(0.3, 0, 1);
  double peak = 0;
  for (int i = 0; i <= 100; ++i) peak = std::max(peak, bouncy.progress(i / 100.0));
  EXPECT_GT(peak, 1.05);
  EXPECT_NEAR(bouncy.progress(0.999), 1, 0.01);
  TimingCurve stiff = TimingCurve::spring(1, 0, 1);
  for (int i = 0; i <= 100; ++i) EXPECT_LE(stiff.progress(i / 100.0), 1.0 + 1e-9);
  TimingCurve hostile = TimingCurve::spring(std::numeric_limits<double>::quiet_NaN(), 1e300, -1);
  EXPECT_TRUE(std::isfinite(hostile.progress(0.5)));
}

TEST(Interpolation, TransformsTurnTheShortWayAndColoursFadeFromNil) {
  auto half = std::get<CGAffineTransform>(interpolate(
      CGAffineTransformMakeRotation(0.1), CGAffineTransformMakeRotation(2 * std::numbers::pi - 0.1), 0.5));
  EXPECT_NEAR(half.a, 1, 1e-12);
  EXPECT_NEAR(half.b, 0, 1e-12);
  auto quarterTurn = std::get<CGAffineTransform>(
      interpolate(CGAffineTransformIdentity, CGAffineTransformMakeRotation(std::numbers::pi / 2), 0.5));
  EXPECT_NEAR(std::atan2(quarterTurn.b, quarterTurn.a), std::numbers::pi / 4, 1e-12);
  EXPECT_NEAR(std::hypot(quarterTurn.a, quarterTurn.b), 1, 1e-12);  // turned, not shrunk
  auto color = std::get<std::optional<UIColor>>(
      interpolate(std::optional<UIColor>(), std::optional<UIColor>(UIColor::redColor()), 0.5));
  ASSERT_TRUE(color);
  EXPECT_EQ(*color, UIColor::colorWithRed(1, 0, 0, 0.5));  // premultiplied: the hue does not darken
}

TEST_F(UIKitTest, ModelChangesAtOnceAndPresentationFollowsTheCurve) {
  auto v = view(CGRectMake(0, 0, 100, 100));
  v->setAlpha(0);
  UIView::animateWithDuration(proc, 1.0, 0.5, UIViewAnimationOptionCurveLinear, [&] { v->setAlpha(1); }, {});
  EXPECT_EQ(v->alpha(), 1);
  EXPECT_EQ(v->presentation(nanos(0.25)).alpha, 0);  // still waiting out the delay
  EXPECT_NEAR(v->presentation(nanos(0.75)).alpha, 0.25, 1e-9);
  EXPECT_NEAR(v->presentation(nanos(1.0)).alpha, 0.5, 1e-9);
  EXPECT_EQ(v->presentation(nanos(1.5)).alpha, 1);
  EXPECT_EQ(v->presentation(nanos(9)).alpha, 1);
}

TEST_F(UIKitTest, CompletionRunsAtTheEndWhenSomethingChangedAndOnTheNextTurnOtherwise) {
  auto v = view(CGRectMake(0, 0, 10, 10));
  std::vector<std::pair<double, bool>> completions;
  auto record = [&](bool finished) { completions.emplace_back(seconds(), finished); };
  at(1);
  UIView::animateWithDuration(
      proc, 0.3, 0.2, 0,
      [&] {
        v->setCenter({50, 50});
      },
      record);
  UIView::animateWithDuration(
      proc, 0.3, 0.2, 0, [&] { v->setAlpha(1); }, record);  // alpha already 1
  EXPECT_TRUE(completions.empty());                         // never synchronously
  device.drain();
  ASSERT_EQ(completions.size(), 1u);
  EXPECT_EQ(completions[0], std::make_pair(1.0, true));
  at(1.4999);
  EXPECT_EQ(completions.size(), 1u);
  at(1.5);
  ASSERT_EQ(completions.size(), 2u);
  EXPECT_EQ(completions[1], std::make_pair(1.5, true));
}

TEST_F(UIKitTest, UnusableDurationsAndDelaysCountAsZero) {
  auto v = view(CGRectMake(0, 0, 10, 10));
  int done = 0;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  UIView::animateWithDuration(
      proc, nan, -3, 0, [&] { v->setAlpha(0.5); }, [&](bool) { ++done; });
  UIView::animateWithDuration(
      proc, -1, nan, 0, [&] { v->setAlpha(0.25); }, [&](bool) { ++done; });
  EXPECT_EQ(v->presentation(device.now()).alpha, 0.25);
  device.drain();
  EXPECT_EQ(done, 2);
  EXPECT_EQ(seconds(), 0);
}

TEST_F(UIKitTest, BeginFromCurrentStateStartsFromWhatIsOnScreen) {
  auto v = view(CGRectMake(0, 0, 10, 10));
  v->setAlpha(0);
  UIView::animateWithDuration(proc, 1, 0, UIViewAnimationOptionCurveLinear, [&] { v->setAlpha(1); }, {});
  at(0.5);
  UIView::animateWithDuration(proc, 1, 0,
                              UIViewAnimationOptionCurveLinear | UIViewAnimationOptionBeginFromCurrentState,
                              [&] { v->setAlpha(0); }, {});
  EXPECT_NEAR(v->presentation(nanos(0.5)).alpha, 0.5, 1e-9);
  EXPECT_NEAR(v->presentation(nanos(1.0)).alpha, 0.25, 1e-9);

  // Without the option the new animation starts from the old model value, wherever the screen was.
  auto w = view(CGRectMake(0, 0, 10, 10));
  w->setAlpha(0);
  UIView::animateWithDuration(proc, 1, 0, UIViewAnimationOptionCurveLinear, [&] { w->setAlpha(1); }, {});
  at(1.0);
  UIView::animateWithDuration(proc, 1, 0, UIViewAnimationOptionCurveLinear, [&] { w->setAlpha(0); }, {});
  EXPECT_NEAR(w->presentation(nanos(1.0)).alpha, 1, 1e-9);
}

TEST_F(UIKitTest, LaterAnimationsSupersedeAndPlainSetsJump) {
  auto v = view(CGRectMake(0, 0, 10, 10));
  UIView::animateWithDuration(proc, 2, 0, UIViewAnimationOptionCurveLinear,
                              [&] {
                                v->setCenter({100, 0});
                              },
                              {});
  UIView::animateWithDuration(proc, 1, 0, UIViewAnimationOptionCurveLinear,
                              [&] {
                                v->setCenter({0, 100});
                              },
                              {});
  CGPoint mid = v->presentation(nanos(0.5)).center;
  EXPECT_NEAR(mid.x, 50, 1e-9);  // from the model value before the change (100, 0)
  EXPECT_NEAR(mid.y, 50, 1e-9);
  EXPECT_EQ(v->animations().size(), 1u);

  UIView::animateWithDuration(proc, 1, 0, 0, [&] { v->setAlpha(0); }, {});
  v->setAlpha(0.5);  // outside any block: no interpolation left
  EXPECT_EQ(v->presentation(nanos(0.5)).alpha, 0.5);
  UIView::animateWithDuration(proc, 1, 0, 0,
                              [&] { UIView::performWithoutAnimation(proc, [&] { v->setAlpha(0.7); }); }, {});
  EXPECT_EQ(v->presentation(nanos(0.5)).alpha, 0.7);
}

TEST_F(UIKitTest, NestedBlocksAreTheirOwnAnimations) {
  auto v = view(CGRectMake(0, 0, 10, 10));
  std::vector<double> done;
  UIView::animateWithDuration(
      proc, 1, 0, UIViewAnimationOptionCurveLinear,
      [&] {
        v->setAlpha(0);
        UIView::animateWithDuration(
            proc, 4, 0, UIViewAnimationOptionCurveLinear,
            [&] {
              v->setCenter({40, 0});
            },
            [&](bool) { done.push_back(seconds()); });
      },
      [&](bool) { done.push_back(seconds()); });
  EXPECT_NEAR(v->presentation(nanos(0.5)).alpha, 0.5, 1e-9);
  EXPECT_NEAR(v->presentation(nanos(1)).center.x, 5 + 35.0 / 4, 1e-9);
  at(10);
  EXPECT_EQ(done, (std::vector<double>{1, 4}));
}

// A block that sets a value to what it is animates nothing, but the trace still says it was set.
TEST_F(UIKitTest, ValuesSetToWhatTheyAreAreTracedAsUnchanged) {
  auto v = view(CGRectMake(0, 0, 10, 10));
  v->setAlpha(0.5);
  device.trace().clear();
  UIView::animateWithDuration(proc, 1, 0, 0, [&] {
    v->setAlpha(0.5);
    v->setCenter(CGPoint{5, 5});
  }, {});
  ASSERT_EQ(device.trace().count("animation.begin"), 1u);
  const TraceEvent* begin = nullptr;
  for (const auto& e : device.trace().events())
    if (e.kind == "animation.begin") begin = &e;
  const PlistArray& changes = *begin->fields.find("changes")->asArray();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(*stringForKey(*changes[0].asDict(), "property"), "alpha");
  EXPECT_EQ(*changes[0].asDict()->find("from"), PlistValue(0.5));
  EXPECT_EQ(*changes[0].asDict()->find("changed"), PlistValue(false));
  EXPECT_EQ(*changes[1].asDict()->find("changed"), PlistValue(false));
  EXPECT_FALSE(v->animatedValue(AnimatableProperty::Alpha, proc.now()));
  // Nothing changed, so the completion comes on the next turn rather than after the duration.
  at(0.001);
  EXPECT_EQ(device.trace().count("animation.complete"), 1u);
}

TEST_F(UIKitTest, FrameAnimationsMoveCentreAndBoundsAndAreTraced) {
  auto v = view(CGRectMake(0, 0, 10, 10));
  device.trace().clear();
  UIView::animateWithDuration(proc, 1, 0, UIViewAnimationOptionCurveLinear,
                              [&] { v->setFrame(CGRectMake(10, 0, 30, 10)); }, {});
  CGRect mid = v->presentation(nanos(0.5)).frame();
  EXPECT_NEAR(mid.origin.x, 5, 1e-9);
  EXPECT_NEAR(mid.size.width, 20, 1e-9);
  at(1);
  ASSERT_EQ(device.trace().count("animation.begin"), 1u);
  const TraceEvent* begin = nullptr;
  const TraceEvent* complete = nullptr;
  for (const auto& e : device.trace().events()) {
    if (e.kind == "animation.begin") begin = &e;
    if (e.kind == "animation.complete") complete = &e;
  }
  ASSERT_TRUE(begin && complete);
  EXPECT_EQ(numberForKey(begin->fields, "duration"), 1.0);
  EXPECT_EQ(numberForKey(begin->fields, "options"), double{UIViewAnimationOptionCurveLinear});
  const PlistArray* changes = begin->fields.find("changes")->asArray();
  ASSERT_EQ(changes->size(), 2u);
  const PlistDict& center = *(*changes)[0].asDict();
  EXPECT_EQ(*stringForKey(center, "view"), "UIView");
  EXPECT_EQ(*stringForKey(center, "property"), "center");
  EXPECT_EQ(*center.find("from"), (PlistValue(PlistArray{5.0, 5.0})));
  EXPECT_EQ(*center.find("to"), (PlistValue(PlistArray{25.0, 5.0})));
  EXPECT_EQ(*stringForKey(*(*changes)[1].asDict(), "property"), "bounds");
  EXPECT_EQ(complete->fields.find("finished")->boolValue(), true);
  EXPECT_EQ(complete->fields.find("id")->intValue(), begin->fields.find("id")->intValue());
}

TEST_F(UIKitTest, SliderValueAnimatesOnlyWhenAskedInsideABlock) {
  auto slider = makeView<UISlider>(proc, "UISlider", CGRectMake(0, 0, 100, 20));
  UIView::animateWithDuration(proc, 1, 0, UIViewAnimationOptionCurveLinear,
                              [&] { slider->setValue(1, true); }, {});
  EXPECT_EQ(slider->value(), 1);
  EXPECT_NEAR(slider->presentationValue(nanos(0.25)), 0.25, 1e-6);
  UIView::animateWithDuration(proc, 1, 0, UIViewAnimationOptionCurveLinear,
                              [&] { slider->setValue(0.5, false); }, {});
  EXPECT_EQ(slider->presentationValue(nanos(0.25)), 0.5);
  slider->setValue(0.8, true);  // outside a block: jumps
  EXPECT_FLOAT_EQ(slider->presentationValue(nanos(0.1)), 0.8f);
}

}  // namespace
