#include "platform/uikit/slider.h"

#include <gtest/gtest.h>

#include <limits>

#include "uikit_fixture.h"

namespace {

using namespace platform;
using uikit_test::ActionCounter;
using uikit_test::makeActionTarget;
using uikit_test::UIKitTest;

struct RangeCase {
  const char* name;
  std::function<void(UISlider&)> change;
  float value, minimum, maximum;
};

TEST_F(UIKitTest, SliderKeepsItsValueWithinTheRange) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const RangeCase cases[] = {
      {"inside", [](UISlider& s) { s.setValue(0.3f); }, 0.3f, 0, 1},
      {"above", [](UISlider& s) { s.setValue(7); }, 1, 0, 1},
      {"below", [](UISlider& s) { s.setValue(-7); }, 0, 0, 1},
      {"infinite", [&](UISlider& s) { s.setValue(inf); }, 1, 0, 1},
      {"NaN is the minimum",
       [&](UISlider& s) {
         s.setValue(0.5f);
         s.setValue(nan);
       },
       0, 0, 1},
      {"minimum raised past the value",
       [](UISlider& s) {
         s.setValue(0.2f);
         s.setMinimumValue(0.5f);
       },
       0.5f, 0.5f, 1},
      {"maximum lowered past the value",
       [](UISlider& s) {
         s.setValue(0.8f);
         s.setMaximumValue(0.5f);
       },
       0.5f, 0, 0.5f},
      {"minimum above the maximum takes it along", [](UISlider& s) { s.setMinimumValue(3); }, 3, 3, 3},
      {"maximum below the minimum takes it along",
       [](UISlider& s) {
         s.setValue(0.5f);
         s.setMaximumValue(-2);
       },
       -2, -2, -2},
      {"NaN ends are refused",
       [&](UISlider& s) {
         s.setValue(0.5f);
         s.setMinimumValue(nan);
         s.setMaximumValue(nan);
       },
       0.5f, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto slider = makeView<UISlider>(proc, "UISlider", CGRectMake(0, 0, 100, 30));
    c.change(*slider);
    EXPECT_EQ(slider->value(), c.value);
    EXPECT_EQ(slider->minimumValue(), c.minimum);
    EXPECT_EQ(slider->maximumValue(), c.maximum);
  }
}

TEST_F(UIKitTest, OnlyUserChangesSendActions) {
  auto slider = makeView<UISlider>(proc, "UISlider", CGRectMake(0, 0, 100, 30));
  ActionCounter counter;
  rt::Id target = makeActionTarget(proc, counter, "changed:");
  rt::send<void(rt::Id, std::string, unsigned long)>(slider, "addTarget:action:forControlEvents:", target,
                                                     std::string("changed:"), UIControlEventValueChanged);
  slider->setValue(0.4f);
  rt::send<void(float, bool)>(slider, "setValue:animated:", 0.6f, true);
  slider->setMinimumValue(0.7f);
  EXPECT_EQ(counter.calls, 0);
  EXPECT_EQ(slider->simulateUserValueChange(0.9f), 1u);
  EXPECT_EQ(counter.calls, 1);
  EXPECT_EQ(counter.lastSender, slider);
  EXPECT_FLOAT_EQ(slider->value(), 0.9f);
  slider->removeTarget(target, "changed:", UIControlEventValueChanged);
  slider->simulateUserValueChange(0.8f);
  EXPECT_EQ(counter.calls, 1);
  // Targets are not retained: a target that has gone away is skipped.
  slider->addTarget(target, "changed:", UIControlEventValueChanged);
  counter.lastSender.reset();
  target.reset();
  EXPECT_EQ(slider->simulateUserValueChange(0.75f), 0u);
}

TEST_F(UIKitTest, SliderGeometryComesThroughTheRuntime) {
  rt::Class& extended = proc.runtime().registerClass("WideTrackSlider", "UISlider");
  rt::defineMethod<CGRect(CGRect)>(extended, "trackRectForBounds:", [](const rt::Id&, CGRect bounds) {
    return CGRectInset(bounds, 10, 5);
  });
  auto plain = makeView<UISlider>(proc, "UISlider", CGRectMake(0, 0, 200, 30));
  auto wide = makeView<UISlider>(proc, "WideTrackSlider", CGRectMake(0, 0, 200, 30));
  ASSERT_TRUE(wide);
  CGRect plainTrack = sliderTrackRect(plain, plain->bounds());
  EXPECT_EQ(plainTrack.size.width, 200);
  EXPECT_GE(plainTrack.size.height, 2);
  EXPECT_LE(plainTrack.size.height, 4);
  EXPECT_EQ(CGRectGetMidY(plainTrack), 15);
  EXPECT_EQ(sliderTrackRect(wide, wide->bounds()), CGRectMake(10, 5, 180, 20));

  // Value images take their room from the track.
  auto icon =
      UIImage::imageWithCGImage(CGImage::make(20, 10, std::vector<std::uint32_t>(200, 0xff000000u)), 2);
  plain->setMinimumValueImage(icon);
  EXPECT_EQ(sliderMinimumValueImageRect(plain, plain->bounds()), CGRectMake(0, 12.5, 10, 5));
  EXPECT_EQ(sliderMaximumValueImageRect(plain, plain->bounds()), CGRectZero);
  EXPECT_GT(sliderTrackRect(plain, plain->bounds()).origin.x, 10);

  // The thumb travels the track; an empty thumb image means no thumb at all.
  wide->setValue(0.5f);
  CGRect track = sliderTrackRect(wide, wide->bounds());
  CGRect thumb = sliderThumbRect(wide, wide->bounds(), track, wide->value());
  EXPECT_EQ(thumb.size, CGSizeMake(28, 28));
  EXPECT_EQ(CGRectGetMidX(thumb), CGRectGetMidX(track));
  wide->setThumbImage(UIImage::imageWithCGImage(CGImage::make(0, 0, {})), UIControlStateNormal);
  EXPECT_EQ(sliderThumbRect(wide, wide->bounds(), track, 1).size, CGSizeZero);
}

TEST_F(UIKitTest, SliderImagesAreKeptPerStateWithTheNormalOneAsFallback) {
  auto slider = makeView<UISlider>(proc, "UISlider", CGRectMake(0, 0, 100, 30));
  auto normal = UIImage::imageWithCGImage(CGImage::make(1, 1, {0xffff0000u}));
  auto highlighted = UIImage::imageWithCGImage(CGImage::make(1, 1, {0xff00ff00u}));
  slider->setMinimumTrackImage(normal, UIControlStateNormal);
  slider->setMinimumTrackImage(highlighted, UIControlStateHighlighted);
  EXPECT_EQ(slider->minimumTrackImageForState(UIControlStateNormal), normal);
  EXPECT_EQ(slider->minimumTrackImageForState(UIControlStateDisabled), nullptr);
  EXPECT_EQ(slider->currentMinimumTrackImage(), normal);
  slider->setHighlighted(true);
  EXPECT_EQ(slider->currentMinimumTrackImage(), highlighted);
  slider->setHighlighted(false);
  slider->setEnabled(false);
  EXPECT_EQ(slider->currentMinimumTrackImage(), normal);
  slider->setMinimumTrackImage(nullptr, UIControlStateNormal);
  EXPECT_EQ(slider->currentMinimumTrackImage(), nullptr);
}

}  // namespace
