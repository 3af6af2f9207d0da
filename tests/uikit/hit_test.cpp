#include <gtest/gtest.h>

#include <numbers>

#include "platform/uikit/gesture_recognizer.h"
#include "platform/uikit/hit_testing.h"
#include "platform/uikit/label.h"
#include "uikit_fixture.h"

namespace {

using namespace platform;
using uikit_test::ActionCounter;
using uikit_test::makeActionTarget;
using uikit_test::UIKitTest;

struct HitTest : UIKitTest {
  ActionCounter counter;
  rt::Id target = makeActionTarget(proc, counter, "tapped:");

  std::shared_ptr<UIWindow> shownWindow(CGRect frame, double level = UIWindowLevelNormal) {
    auto window = makeWindow(proc, frame);
    window->setWindowLevel(level);
    window->setHidden(false);
    return window;
  }
  std::shared_ptr<UITapGestureRecognizer> tapOn(const std::shared_ptr<UIView>& view) {
    auto tap = makeTapGestureRecognizer(proc, target, "tapped:");
    view->addGestureRecognizer(tap);
    return tap;
  }
};

TEST_F(HitTest, AnEnlargedPointInsideOverrideCatchesTapsOutsideTheBounds) {
  rt::Class& generous = proc.runtime().registerClass("GenerousView", "UIView");
  rt::defineMethod<bool(CGPoint, rt::Id)>(
      generous, "pointInside:withEvent:", [](const rt::Id& self, CGPoint p, rt::Id) {
        return CGRectContainsPoint(CGRectInset(rt::cast<UIView>(self)->bounds(), -20, -20), p);
      });
  auto window = shownWindow(CGRectMake(0, 0, 300, 300));
  auto plain = view(CGRectMake(10, 10, 40, 40));
  auto enlarged = view(CGRectMake(200, 200, 40, 40), "GenerousView");
  window->addSubview(plain);
  window->addSubview(enlarged);
  tapOn(plain);
  auto tap = tapOn(enlarged);

  TapResult near = simulateTap(device, {195, 195});  // 5 points outside the view's bounds
  EXPECT_EQ(near.view, enlarged);
  EXPECT_EQ(near.actionsSent, 1u);
  EXPECT_EQ(counter.lastSender, tap);
  TapResult beside = simulateTap(device, {55, 30});  // 5 points outside the plain view
  EXPECT_EQ(beside.view, window);
  EXPECT_EQ(counter.calls, 1);
}

TEST_F(HitTest, HigherWindowsTakeTapsAndHiddenOrFadedOnesNever) {
  auto low = shownWindow(CGRectMake(0, 0, 100, 100), UIWindowLevelNormal);
  auto high = shownWindow(CGRectMake(50, 50, 100, 100), UIWindowLevelAlert);
  auto middle = shownWindow(CGRectMake(0, 0, 100, 100), UIWindowLevelStatusBar);
  EXPECT_EQ(simulateTap(device, {75, 75}).window, high);
  EXPECT_EQ(simulateTap(device, {25, 25}).window, middle);
  middle->setHidden(true);
  EXPECT_EQ(simulateTap(device, {25, 25}).window, low);
  high->setAlpha(0.005);
  EXPECT_EQ(simulateTap(device, {75, 75}).window, low);
  high->setAlpha(1);
  high->setUserInteractionEnabled(false);
  EXPECT_EQ(simulateTap(device, {75, 75}).window, low);
  low->setHidden(true);
  TapResult miss = simulateTap(device, {75, 75});
  EXPECT_EQ(miss.view, nullptr);
  // Equal levels: the window made later is in front.
  auto later = shownWindow(CGRectMake(0, 0, 100, 100), UIWindowLevelStatusBar);
  middle->setHidden(false);
  EXPECT_EQ(simulateTap(device, {10, 10}).window, later);
  // A list of windows is taken in its own order for equal levels: the last one is in front.
  EXPECT_EQ(simulateTap(std::vector<std::shared_ptr<UIWindow>>{later, middle}, {10, 10}).window, middle);
}

TEST_F(HitTest, TapsGoThroughLabelsToTheRecognisersOfAncestors) {
  auto window = shownWindow(CGRectMake(0, 0, 200, 200));
  auto panel = view(CGRectMake(20, 20, 100, 100));
  auto label = makeView<UILabel>(proc, "UILabel", CGRectMake(10, 10, 50, 20));
  window->addSubview(panel);
  panel->addSubview(label);
  tapOn(window);
  tapOn(panel);
  TapResult result = simulateTap(device, {40, 35});  // on the label
  EXPECT_EQ(result.view, panel);                     // labels take no touches
  EXPECT_EQ(result.actionsSent, 2u);
  EXPECT_EQ(counter.calls, 2);

  const TraceEvent& traced = device.trace().events().back();
  EXPECT_EQ(traced.kind, "tap");
  EXPECT_EQ(*stringForKey(traced.fields, "view"), "UIView");
  EXPECT_EQ(*stringForKey(traced.fields, "window"), "UIWindow");
  EXPECT_EQ(numberForKey(traced.fields, "recognizers"), 2);
}

TEST_F(HitTest, RecognisersBelongToOneViewAndCanBeRemovedOrDisabled) {
  auto window = shownWindow(CGRectMake(0, 0, 200, 200));
  auto a = view(CGRectMake(0, 0, 100, 200));
  auto b = view(CGRectMake(100, 0, 100, 200));
  window->addSubview(a);
  window->addSubview(b);
  auto tap = tapOn(a);
  b->addGestureRecognizer(tap);  // moves
  EXPECT_TRUE(a->gestureRecognizers().empty());
  EXPECT_EQ(tap->view(), b);
  EXPECT_EQ(simulateTap(device, {150, 10}).actionsSent, 1u);
  tap->setEnabled(false);
  EXPECT_EQ(simulateTap(device, {150, 10}).actionsSent, 0u);
  tap->setEnabled(true);
  tap->setNumberOfTapsRequired(2);
  EXPECT_EQ(simulateTap(device, {150, 10}).actionsSent, 0u);
  tap->setNumberOfTapsRequired(1);
  b->removeGestureRecognizer(tap);
  EXPECT_EQ(tap->view(), nullptr);
  EXPECT_EQ(simulateTap(device, {150, 10}).actionsSent, 0u);
}

TEST_F(HitTest, RotatedWindowsAreHitInTheirOwnCoordinates) {
  auto window = shownWindow(CGRectMake(0, 0, 200, 100));  // centre (100, 50)
  window->setTransform(
      CGAffineTransformMakeRotation(std::numbers::pi / 2));  // now 100 wide, 200 tall on screen
  auto corner = view(CGRectMake(0, 0, 20, 20));              // the window's own top left
  window->addSubview(corner);
  // Turned clockwise, the window's top left corner lies at the screen's top right of its frame.
  EXPECT_EQ(simulateTap(device, {140, -40}).view, corner);
  EXPECT_EQ(simulateTap(device, {60, -40}).view, window);
}

}  // namespace
