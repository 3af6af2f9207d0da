// UISliderExtended: the full-width track at the configured height and the enlarged touch area.
#include <gtest/gtest.h>

#include "platform/runtime/message.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/uikit_classes.h"
#include "support/phone.h"

namespace {

using platform::CGPoint;
using platform::CGRect;

TEST(SliderExtended, TrackFillsTheWidthFromTheLeftAtTheConfiguredHeight) {
  testing_support::Phone phone;
  auto& settings = phone.tarvo().settings;
  auto slider = platform::makeView<platform::UISlider>(phone.springBoard, "UISliderExtended", CGRect{{0, 0}, {60, 4}});
  ASSERT_TRUE(slider);
  struct Case {
    CGRect bounds;
    float height;
    CGRect track;
  } cases[] = {
      {{{0, 0}, {60, 4}}, 4, {{0, 0}, {60, 4}}},
      {{{5, 7}, {60, 4}}, 6, {{0, 7}, {60, 6}}},
      {{{-3, 0}, {200, 40}}, 4, {{0, 0}, {200, 4}}},  // not centred, whatever the bounds' height
      {{{0, 0}, {10, 2}}, -1, {{0, 0}, {10, -1}}},    // the height as configured, unchecked
  };
  for (const auto& c : cases) {
    settings.HEIGHT = c.height;  // read at each call
    EXPECT_EQ(platform::sliderTrackRect(slider, c.bounds), c.track);
  }
}

TEST(SliderExtended, TouchesCount20PointsBeyondTheBounds) {
  testing_support::Phone phone;
  auto slider = platform::makeView<platform::UISlider>(phone.springBoard, "UISliderExtended", CGRect{{0, 0}, {60, 4}});
  struct Case {
    CGPoint point;
    bool inside;
  } cases[] = {{{-20, -20}, true},  {{79.5, 23.5}, true}, {{30, 2}, true},     {{80, 0}, false},
               {{0, 24}, false},    {{-20.5, 0}, false},  {{79.99, 23.99}, true}, {{0, -20.01}, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(rt::send<bool(CGPoint, rt::Id)>(slider, "pointInside:withEvent:", c.point, rt::Id()), c.inside)
        << c.point.x << ", " << c.point.y;
  }
}

TEST(SliderExtended, TheOtherOverridesAnswerAsTheSliderDoes) {
  testing_support::Phone phone;
  auto slider = platform::makeView<platform::UISlider>(phone.springBoard, "UISliderExtended", CGRect{{0, 0}, {60, 4}});
  auto plain = platform::makeView<platform::UISlider>(phone.springBoard, "UISlider", CGRect{{0, 0}, {60, 4}});
  const CGRect bounds{{0, 0}, {200, 30}};
  EXPECT_EQ(platform::sliderMinimumValueImageRect(slider, bounds), platform::sliderMinimumValueImageRect(plain, bounds));
  EXPECT_EQ(platform::sliderMaximumValueImageRect(slider, bounds), platform::sliderMaximumValueImageRect(plain, bounds));
  EXPECT_TRUE(slider->translatesAutoresizingMaskIntoConstraints());
  slider->setNeedsLayout();
  EXPECT_NO_THROW(slider->layoutIfNeeded());
}

}  // namespace
