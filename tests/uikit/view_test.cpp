#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <numbers>

#include "uikit_fixture.h"

namespace {

using namespace platform;
using uikit_test::UIKitTest;

void expectRectNear(CGRect got, CGRect want) {
  EXPECT_NEAR(got.origin.x, want.origin.x, 1e-9);
  EXPECT_NEAR(got.origin.y, want.origin.y, 1e-9);
  EXPECT_NEAR(got.size.width, want.size.width, 1e-9);
  EXPECT_NEAR(got.size.height, want.size.height, 1e-9);
}

TEST_F(UIKitTest, FrameCentreAndTransformAgreeForARotatedView) {
  auto v = view(CGRectMake(150, 275, 100, 50));
  EXPECT_EQ(v->center(), CGPointMake(200, 300));
  v->setTransform(CGAffineTransformMakeRotation(std::numbers::pi / 2));
  EXPECT_EQ(v->center(), CGPointMake(200, 300));
  EXPECT_EQ(v->bounds(), CGRectMake(0, 0, 100, 50));
  expectRectNear(v->frame(), CGRectMake(175, 250, 50, 100));

  // Setting the frame of a quarter-turned view gives bounds the turn maps onto it.
  v->setFrame(CGRectMake(0, 0, 20, 60));
  EXPECT_EQ(v->center(), CGPointMake(10, 30));
  expectRectNear(v->bounds(), CGRectMake(0, 0, 60, 20));
  expectRectNear(v->frame(), CGRectMake(0, 0, 20, 60));

  // At 45 degrees no bounds size fits every frame: the size stays, the centre moves.
  v->setTransform(CGAffineTransformMakeRotation(std::numbers::pi / 4));
  v->setFrame(CGRectMake(100, 100, 10, 30));
  EXPECT_EQ(v->center(), CGPointMake(105, 115));
  expectRectNear(v->bounds(), CGRectMake(0, 0, 60, 20));

  // A point at the rotated view's right end sits below its centre on screen (clockwise turn).
  auto r = view(CGRectMake(0, 0, 100, 10));
  r->setTransform(CGAffineTransformMakeRotation(std::numbers::pi / 2));
  CGPoint end = r->convertPointToSuperview({100, 5});
  EXPECT_NEAR(end.x, 50, 1e-9);
  EXPECT_NEAR(end.y, 55, 1e-9);
  CGPoint back = r->convertPointFromSuperview(end);
  EXPECT_NEAR(back.x, 100, 1e-9);
  EXPECT_NEAR(back.y, 5, 1e-9);
}

TEST_F(UIKitTest, NaNGeometryIsRefused) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  auto v = view(CGRectMake(1, 2, 3, 4));
  v->setFrame(CGRectMake(nan, 0, 1, 1));
  v->setCenter({0, nan});
  v->setTransform({nan, 0, 0, 1, 0, 0});
  v->setAlpha(nan);
  EXPECT_EQ(v->frame(), CGRectMake(1, 2, 3, 4));
  EXPECT_EQ(v->alpha(), 1);
  v->setTransform(CGAffineTransformMakeScale(0, 1));  // flat: nothing is inside it any more
  EXPECT_FALSE(CGRectContainsPoint(v->bounds(), v->convertPointFromSuperview(v->center())));
}

TEST_F(UIKitTest, BoundsOriginShiftsTheSubviewsCoordinates) {
  auto parent = view(CGRectMake(10, 10, 100, 100));
  parent->setBounds(CGRectMake(20, 0, 100, 100));
  auto child = view(CGRectMake(20, 0, 10, 10));
  parent->addSubview(child);
  CGPoint onScreen = child->convertPointToView({0, 0}, nullptr);
  EXPECT_EQ(onScreen, CGPointMake(10, 10));
  EXPECT_EQ(child->convertPointFromView({15, 15}, nullptr), CGPointMake(5, 5));
  EXPECT_EQ(child->convertPointToView({0, 0}, parent.get()), CGPointMake(20, 0));
}

struct AutoresizingCase {
  const char* name;
  unsigned mask;
  CGRect expected;  // child frame (10, 20, 30, 40) after the parent grows from 100 x 100 to 200 x 150
};

TEST_F(UIKitTest, AutoresizingSharesTheChangeAmongFlexibleParts) {
  const AutoresizingCase cases[] = {
      {"none", UIViewAutoresizingNone, CGRectMake(10, 20, 30, 40)},
      {"flexible width", UIViewAutoresizingFlexibleWidth, CGRectMake(10, 20, 130, 40)},
      {"flexible height", UIViewAutoresizingFlexibleHeight, CGRectMake(10, 20, 30, 90)},
      {"flexible size", UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight,
       CGRectMake(10, 20, 130, 90)},
      {"pinned right and bottom", UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleTopMargin,
       CGRectMake(110, 70, 30, 40)},
      {"pinned left", UIViewAutoresizingFlexibleRightMargin, CGRectMake(10, 20, 30, 40)},
      // Margins 10 and 60 share 100 in proportion: 1/7 and 6/7.
      {"centred horizontally", UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin,
       CGRectMake(10 + 100.0 / 7, 20, 30, 40)},
      // Everything flexible scales: 10/30/60 of 100 become 20/60/120 of 200.
      {"all horizontal",
       UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleWidth |
           UIViewAutoresizingFlexibleRightMargin,
       CGRectMake(20, 20, 60, 40)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto parent = view(CGRectMake(0, 0, 100, 100));
    auto child = view(CGRectMake(10, 20, 30, 40));
    child->setAutoresizingMask(c.mask);
    parent->addSubview(child);
    parent->setFrame(CGRectMake(0, 0, 200, 150));
    expectRectNear(child->frame(), c.expected);
  }
}

TEST_F(UIKitTest, AutoresizingCanBeTurnedOffAndReachesGrandchildren) {
  auto parent = view(CGRectMake(0, 0, 100, 100));
  auto child = view(CGRectMake(0, 0, 100, 100));
  auto grandchild = view(CGRectMake(0, 0, 100, 10));
  child->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
  grandchild->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
  parent->addSubview(child);
  child->addSubview(grandchild);
  parent->setBounds(CGRectMake(0, 0, 300, 100));
  EXPECT_EQ(grandchild->frame().size.width, 300);
  parent->setAutoresizesSubviews(false);
  parent->setBounds(CGRectMake(0, 0, 50, 100));
  EXPECT_EQ(child->frame().size.width, 300);
}

TEST_F(UIKitTest, TheTreeMovesViewsAndRefusesCycles) {
  auto a = view(CGRectMake(0, 0, 10, 10));
  auto b = view(CGRectMake(0, 0, 10, 10));
  auto c = view(CGRectMake(0, 0, 10, 10));
  a->addSubview(b);
  a->addSubview(c);
  a->addSubview(b);  // already there: moves to the front
  EXPECT_EQ(a->subviews(), (std::vector<UIView::Ptr>{c, b}));
  c->addSubview(b);
  EXPECT_EQ(a->subviews(), (std::vector<UIView::Ptr>{c}));
  EXPECT_EQ(b->superview(), c);
  b->addSubview(a);  // a is b's ancestor
  b->addSubview(b);
  EXPECT_EQ(a->superview(), nullptr);
  EXPECT_TRUE(b->subviews().empty());
  std::weak_ptr<UIView> weakB = b;
  b.reset();
  ASSERT_FALSE(weakB.expired());  // the parent owns it
  weakB.lock()->removeFromSuperview();
  EXPECT_TRUE(weakB.expired());
  EXPECT_TRUE(c->subviews().empty());
}

TEST_F(UIKitTest, InitWithFrameAndLayoutSubviewsGoThroughTheRuntime) {
  rt::Class& custom = proc.runtime().registerClass("CustomView", "UIView");
  int inits = 0, layouts = 0;
  rt::defineMethod<rt::Id(CGRect)>(custom, "initWithFrame:", [&](const rt::Id& self, CGRect frame) {
    ++inits;
    rt::Id made = rt::sendSuper<rt::Id(CGRect)>(self, custom, "initWithFrame:", frame);
    rt::cast<UIView>(made)->setTag(42);
    return made;
  });
  rt::defineMethod<void()>(custom, "layoutSubviews", [&](const rt::Id&) { ++layouts; });
  auto window = makeWindow(proc, CGRectMake(0, 0, 100, 100));
  auto v = view(CGRectMake(0, 0, 10, 10), "CustomView");
  ASSERT_TRUE(v);
  EXPECT_EQ(inits, 1);
  EXPECT_EQ(v->tag(), 42);
  window->addSubview(v);
  EXPECT_EQ(layouts, 0);  // layout waits for the run loop
  device.drain();
  EXPECT_EQ(layouts, 1);
  v->setBounds(CGRectMake(0, 0, 20, 20));
  v->setCenter({1, 1});  // moving needs no layout
  device.drain();
  EXPECT_EQ(layouts, 2);
  v->setNeedsLayout();
  v->layoutIfNeeded();
  EXPECT_EQ(layouts, 3);
  EXPECT_EQ(makeView<UIView>(proc, "NoSuchView", CGRectZero), nullptr);
}

// A pass walks only the paths to views that wait, so every way a deep view comes to wait must mark its path:
// marked in place, moved into the tree while waiting, marked by a sibling's layout after it was passed.
TEST_F(UIKitTest, ALayoutPassReachesEveryWaitingView) {
  rt::Class& counted = proc.runtime().registerClass("CountedView", "UIView");
  std::map<const rt::Object*, int> layouts;
  std::function<void(const rt::Id&)> onLayout;
  rt::defineMethod<void()>(counted, "layoutSubviews", [&](const rt::Id& self) {
    ++layouts[self.get()];
    if (onLayout) onLayout(self);
  });
  auto window = makeWindow(proc, CGRectMake(0, 0, 100, 100));
  auto a = view(CGRectMake(0, 0, 50, 50)), b = view(CGRectMake(0, 0, 40, 40));
  auto deep = view(CGRectMake(0, 0, 10, 10), "CountedView"), first = view(CGRectMake(0, 0, 10, 10), "CountedView");
  window->addSubview(first);
  window->addSubview(a);
  a->addSubview(b);
  b->addSubview(deep);
  device.drain();
  ASSERT_EQ(layouts[deep.get()], 1);

  deep->setNeedsLayout();  // in place, three levels down
  device.drain();
  EXPECT_EQ(layouts[deep.get()], 2);

  b->removeFromSuperview();
  deep->setNeedsLayout();  // while out of the tree
  window->addSubview(b);
  device.drain();
  EXPECT_EQ(layouts[deep.get()], 3);

  // `first` is laid out before `deep`'s branch; what its layout marks is reached in the same pass or the next.
  onLayout = [&](const rt::Id& self) {
    if (self.get() == first.get()) deep->setNeedsLayout();
  };
  first->setNeedsLayout();
  device.drain();
  EXPECT_EQ(layouts[deep.get()], 4);
  onLayout = [&](const rt::Id& self) {
    if (self.get() == deep.get()) first->setNeedsLayout();  // behind the pass: the next one takes it
  };
  deep->setNeedsLayout();
  device.drain();
  EXPECT_EQ(layouts[deep.get()], 5);
  EXPECT_EQ(layouts[first.get()], 3);
  EXPECT_FALSE(first->needsLayout());
}

TEST_F(UIKitTest, WindowsAreListedInCreationOrderAndStartHidden) {
  auto first = makeWindow(proc, CGRectMake(0, 0, 10, 10));
  auto second = makeWindow(proc, CGRectMake(0, 0, 10, 10));
  { auto dropped = makeWindow(proc, CGRectMake(0, 0, 10, 10)); }
  EXPECT_EQ(windowsOf(proc), (std::vector<std::shared_ptr<UIWindow>>{first, second}));
  EXPECT_TRUE(first->isHidden());
  second->makeKeyAndVisible();
  EXPECT_FALSE(second->isHidden());
  EXPECT_TRUE(second->isKeyWindow());
  rt::send<void(bool)>(first, "_setSecure:", true);
  EXPECT_TRUE(first->isSecure());
  first->setWindowLevel(1000);
  auto& other = device.spawn("Other", "com.example.other");
  auto third = makeWindow(other, CGRectMake(0, 0, 10, 10));
  EXPECT_EQ(windowsByLevel(device), (std::vector<std::shared_ptr<UIWindow>>{second, third, first}));
}

TEST_F(UIKitTest, AForeignAllocatorUnderUIViewIsReportedNotDereferenced) {
  rt::Class& odd = proc.runtime().registerClass("OddView", "UIView");
  odd.setAllocator([](rt::Class& cls) { return std::make_shared<rt::Object>(cls); });
  rt::Id made = rt::send<rt::Id()>(rt::classObject(odd), "alloc");
  EXPECT_THROW(rt::send<CGRect()>(made, "frame"), std::logic_error);
  EXPECT_THROW(rt::send<rt::Id(CGRect)>(made, "initWithFrame:", CGRectZero), std::logic_error);
}

TEST_F(UIKitTest, DescriptionShowsFrameAndState) {
  auto v = view(CGRectMake(1, 2, 3.5, 4));
  v->setAlpha(0.5);
  v->setHidden(true);
  std::string text = rt::send<std::string()>(v, "description");
  EXPECT_NE(text.find("<UIView: 0x"), std::string::npos) << text;
  EXPECT_NE(text.find("frame = (1 2; 3.5 4)"), std::string::npos) << text;
  EXPECT_NE(text.find("alpha = 0.5"), std::string::npos) << text;
  EXPECT_NE(text.find("hidden = YES"), std::string::npos) << text;
}

}  // namespace
