#include "platform/uikit/status_bar.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "platform/device/device.h"
#include "platform/uikit/application.h"
#include "platform/uikit/status_bar_installer.h"
#include "platform/uikit/status_bar_items.h"
#include "platform/uikit/status_bar_server.h"
#include "platform/uikit/status_bar_style.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/window.h"

namespace {

using namespace platform;
namespace item = status_bar_item;

DeviceOptions screen(double width, double height) {
  DeviceOptions options;
  options.screenWidth = width;
  options.screenHeight = height;
  return options;
}

struct StatusBarTest : ::testing::Test {
  Device device;
  Process& app = start(device, "App");

  static Process& start(Device& d, std::string name) {
    Process& p = d.spawn(name, "com.example." + name);
    loadUIKit(p);
    UIApplicationMain(p);
    return p;
  }
  static StatusBarOptions kind(StatusBarKind k) {
    StatusBarOptions options;
    options.kind = k;
    return options;
  }
  static std::shared_ptr<UIStatusBarItemView> findItem(const UIView& bar, int number) {
    for (const auto& view : statusBarItemsBelow(bar))
      if (view->item() == number) return view;
    return nullptr;
  }
  static std::vector<int> itemNumbers(const UIView& bar) {
    std::vector<int> numbers;
    for (const auto& view : statusBarItemsBelow(bar)) numbers.push_back(view->item());
    std::sort(numbers.begin(), numbers.end());
    return numbers;
  }
  static int depthBelow(const UIView& bar, const UIView& view) {
    int depth = 0;
    for (auto v = view.superview(); v; v = v->superview()) {
      ++depth;
      if (v.get() == &bar) return depth;
    }
    return -1;
  }
  static std::vector<std::shared_ptr<UIView>> backgroundActivityViews(const UIView& root) {
    std::vector<std::shared_ptr<UIView>> found;
    for (const auto& child : root.subviews()) {
      if (child->isKindOfClass("_UIStatusBarBackgroundActivityView")) found.push_back(child);
      auto deeper = backgroundActivityViews(*child);
      found.insert(found.end(), deeper.begin(), deeper.end());
    }
    return found;
  }
};

TEST_F(StatusBarTest, NotchedScreensGetTheSplitBarInAStatusBarWindow) {
  auto bar = installStatusBar(app, {});
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->className(), "_UIStatusBar");
  EXPECT_EQ(UIApplication::sharedApplication(app)->statusBar, bar);
  EXPECT_EQ(*rt::ivarAddress<rt::Id>(UIApplication::sharedApplication(app), "_statusBar"), bar);
  auto window = statusBarWindow(app);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->windowLevel(), UIWindowLevelStatusBar);
  EXPECT_EQ(window->frame(), CGRectMake(0, 0, 375, 44));
  EXPECT_FALSE(window->isHidden());
  EXPECT_FALSE(window->isKeyWindow());
  auto view = rt::cast<UISplitStatusBar>(bar);
  EXPECT_EQ(view->superview(), window);
  EXPECT_EQ(view->frame(), CGRectMake(0, 0, 375, 44));

  // bar → foreground view → region → time item → background activity view
  auto foreground = rt::cast<UIView>(*rt::ivarAddress<rt::Id>(bar, "_foregroundView"));
  ASSERT_TRUE(foreground);
  EXPECT_EQ(foreground->className(), "UIView");
  auto pills = backgroundActivityViews(*view);
  ASSERT_EQ(pills.size(), 1u);
  EXPECT_EQ(depthBelow(*view, *pills[0]), 4);
  auto owner = std::dynamic_pointer_cast<UIStatusBarItemView>(pills[0]->superview());
  ASSERT_TRUE(owner);
  EXPECT_EQ(owner->item(), item::kTime);
  EXPECT_EQ(owner->subviews().front(), pills[0]);  // behind the time
  EXPECT_EQ(pills[0]->frame(), owner->bounds());
  EXPECT_EQ(owner->superview()->superview(), foreground);
  EXPECT_EQ(itemNumbers(*view), (std::vector<int>{0, 3, 6, 12}));
  EXPECT_EQ(rt::send<long long()>(bar, "currentStyle"), 0);
}

TEST_F(StatusBarTest, OtherScreensGetTheClassicBarWithItsStyleObjects) {
  Device small(screen(375, 667));
  Process& p = start(small, "Classic");
  StatusBarOptions options;
  options.contentColor = UIColor::redColor();
  options.style = 1;
  auto bar = installStatusBar(p, options);
  ASSERT_TRUE(bar);
  EXPECT_EQ(bar->className(), "UIStatusBar");
  EXPECT_TRUE(bar->isKindOfClass("UIStatusBar_Base"));
  EXPECT_EQ(statusBarWindow(p)->frame(), CGRectMake(0, 0, 375, 20));
  EXPECT_EQ(rt::send<long long()>(bar, "currentStyle"), 1);
  rt::Id attributes = *rt::ivarAddress<rt::Id>(bar, "_styleAttributes");
  ASSERT_TRUE(attributes);
  EXPECT_EQ(attributes->className(), "UIStatusBarStyleAttributes");
  rt::Id style = *rt::ivarAddress<rt::Id>(attributes, "_foregroundStyle");
  ASSERT_TRUE(style);
  EXPECT_EQ(style->className(), "UIStatusBarForegroundStyleAttributes");
  EXPECT_EQ(rt::send<std::optional<UIColor>()>(style, "tintColor"), UIColor::redColor());
  auto view = rt::cast<UIStatusBarBase>(bar);
  EXPECT_EQ(itemNumbers(*view), (std::vector<int>{0, 3, 4, 6, 12, 13}));
  EXPECT_TRUE(backgroundActivityViews(*view).empty());
  EXPECT_EQ(findItem(*view, item::kTime)->label()->textColor(), UIColor::redColor());
  // Every item inside the bar's width.
  for (const auto& it : statusBarItemsBelow(*view)) {
    CGRect f = it->frame();
    EXPECT_GE(f.origin.x, 0) << it->item();
    EXPECT_LE(f.origin.x + f.size.width, 375) << it->item();
  }
}

struct PartsCase {
  const char* label;
  bool foregroundView, attributes, foregroundStyle;
  std::optional<UIColor> tint;
};

TEST_F(StatusBarTest, ClassicPartsCanEachBeMissing) {
  const PartsCase cases[] = {
      {"all", true, true, true, UIColor::blueColor()},
      {"no tint", true, true, true, std::nullopt},
      {"no foreground style", true, true, false, UIColor::blueColor()},
      {"no attributes", true, false, true, UIColor::blueColor()},
      {"no foreground view", false, true, true, UIColor::blueColor()},
  };
  for (const auto& c : cases) {
    StatusBarOptions options = kind(StatusBarKind::Classic);
    options.hasForegroundView = c.foregroundView;
    options.hasStyleAttributes = c.attributes;
    options.hasForegroundStyle = c.foregroundStyle;
    options.contentColor = c.tint;
    auto bar = rt::cast<UIStatusBarBase>(installStatusBar(app, options));
    ASSERT_TRUE(bar) << c.label;
    EXPECT_EQ(*rt::ivarAddress<rt::Id>(bar, "_foregroundView") != nullptr, c.foregroundView) << c.label;
    rt::Id attributes = *rt::ivarAddress<rt::Id>(bar, "_styleAttributes");
    EXPECT_EQ(attributes != nullptr, c.attributes) << c.label;
    rt::Id* style = rt::ivarAddress<rt::Id>(attributes, "_foregroundStyle");
    EXPECT_EQ(style && *style, c.attributes && c.foregroundStyle) << c.label;
    bool tinted = c.attributes && c.foregroundStyle && c.tint;
    // Without a tint the bar draws by its style: black for style 0.
    EXPECT_EQ(bar->contentColor(), tinted ? *c.tint : UIColor::blackColor()) << c.label;
    EXPECT_EQ(itemNumbers(*bar).size(), 6u) << c.label;
  }
}

TEST_F(StatusBarTest, ItemsFollowTheServerWhenTheBarIsRefreshed) {
  auto bar = rt::cast<StatusBarView>(installStatusBar(app, kind(StatusBarKind::Classic)));
  auto& server = device.service<StatusBarServer>();
  int first = 0, second = 0;
  server.disable(item::kSignalStrength, &first);
  server.disable(item::kSignalStrength, &second);
  server.setTimeCloaked(true);
  server.setServiceText("Tarvo Mobile");
  // The server tells nobody: the bar is behind until it refreshes.
  EXPECT_FALSE(findItem(*bar, item::kSignalStrength)->isHidden());
  refreshStatusBars(device);
  EXPECT_TRUE(findItem(*bar, item::kSignalStrength)->isHidden());
  EXPECT_TRUE(findItem(*bar, item::kTime)->isHidden());
  EXPECT_FALSE(findItem(*bar, item::kBattery)->isHidden());
  EXPECT_EQ(findItem(*bar, item::kService)->label()->text(), "Tarvo Mobile");

  server.enable(item::kSignalStrength, &first);
  server.setTimeCloaked(false);
  server.setServiceText("");
  refreshStatusBars(device);
  EXPECT_TRUE(findItem(*bar, item::kSignalStrength)->isHidden());  // still disabled by the second requestor
  EXPECT_FALSE(findItem(*bar, item::kTime)->isHidden());
  EXPECT_EQ(findItem(*bar, item::kService)->label()->text(), "");

  // A layout pass refreshes as well.
  server.enable(item::kSignalStrength, &second);
  server.disable(item::kTime, &first);
  bar->setNeedsLayout();
  device.drain();
  EXPECT_FALSE(findItem(*bar, item::kSignalStrength)->isHidden());
  EXPECT_TRUE(findItem(*bar, item::kTime)->isHidden());
}

TEST_F(StatusBarTest, TheSplitBarColourGoesThroughTheRuntimeNilIncluded) {
  auto bar = rt::cast<UISplitStatusBar>(installStatusBar(app, {}));
  std::vector<std::optional<UIColor>> seen;
  rt::Impl<void(std::optional<UIColor>)> previous;
  rt::MSHookMessageEx<void(std::optional<UIColor>)>(
      app.runtime().lookUpClass("_UIStatusBar"), "setForegroundColor:",
      [&](const rt::Id& self, std::optional<UIColor> color) {
        seen.push_back(color);
        previous(self, color);
      },
      &previous);
  auto time = findItem(*bar, item::kTime);
  auto battery = findItem(*bar, item::kBattery);
  EXPECT_EQ(time->label()->textColor(), UIColor::blackColor());
  setStatusBarStyle(app, 1);
  EXPECT_EQ(rt::send<long long()>(bar, "currentStyle"), 1);
  EXPECT_EQ(time->label()->textColor(), UIColor::whiteColor());

  setStatusBarColor(app, UIColor::redColor());
  EXPECT_EQ(*rt::ivarAddress<std::optional<UIColor>>(bar, "_foregroundColor"), UIColor::redColor());
  EXPECT_EQ(time->label()->textColor(), UIColor::redColor());
  // The battery's body is drawn faint, its charge solid.
  EXPECT_EQ(battery->subviews()[0]->backgroundColor(), UIColor::colorWithRed(1, 0, 0, 0.35));
  EXPECT_EQ(battery->subviews()[1]->backgroundColor(), UIColor::redColor());

  setStatusBarColor(app, std::nullopt);
  EXPECT_EQ(seen, (std::vector<std::optional<UIColor>>{UIColor::redColor(), std::nullopt}));
  EXPECT_EQ(time->label()->textColor(), UIColor::whiteColor());  // by style again
  EXPECT_EQ(rt::send<std::optional<UIColor>()>(bar, "foregroundColor"), std::nullopt);
}

TEST_F(StatusBarTest, InstallingAnnouncesTheLayoutThroughTheRuntime) {
  std::vector<bool> forceSplit;
  rt::Impl<void(bool)> previousForce;
  rt::MSHookMessageEx<void(bool)>(
      rt::object_getClass(app.runtime().lookUpClass("_UIStatusBar")), "setForceSplit:",
      [&](const rt::Id& self, bool flag) {
        forceSplit.push_back(flag);
        previousForce(self, flag);
      },
      &previousForce);
  int modernAsked = 0;
  rt::Impl<bool()> previousModern;
  rt::MSHookMessageEx<bool()>(
      app.runtime().lookUpClass("UIStatusBar_Base"), "_usesModernBar",
      [&](const rt::Id& self) {
        ++modernAsked;
        return previousModern(self);
      },
      &previousModern);

  installStatusBar(app, kind(StatusBarKind::Split));
  EXPECT_TRUE(forceSplit.empty());
  EXPECT_EQ(modernAsked, 0);
  EXPECT_FALSE(splitLayoutForced(app));

  StatusBarOptions announcing = kind(StatusBarKind::Classic);
  announcing.reportsSplitLayout = true;
  announcing.usesModernBar = true;
  auto bar = installStatusBar(app, announcing);
  EXPECT_EQ(forceSplit, std::vector<bool>{true});
  EXPECT_EQ(modernAsked, 1);
  EXPECT_TRUE(splitLayoutForced(app));
  EXPECT_TRUE(rt::send<bool()>(bar, "_usesModernBar"));
  EXPECT_TRUE(rt::send<bool()>(rt::classObject(*app.runtime().lookUpClass("_UIStatusBar")), "forceSplit"));
}

TEST_F(StatusBarTest, NoBarMeansNoWindowAndChangesDoNothing) {
  EXPECT_EQ(installStatusBar(app, kind(StatusBarKind::None)), nullptr);
  EXPECT_EQ(UIApplication::sharedApplication(app)->statusBar, nullptr);
  EXPECT_EQ(statusBarWindow(app), nullptr);
  EXPECT_TRUE(windowsOf(app).empty());
  setStatusBarColor(app, UIColor::redColor());
  setStatusBarStyle(app, 1);
  refreshStatusBars(device);
  EXPECT_EQ(installedStatusBar(app), nullptr);
}

TEST_F(StatusBarTest, BackgroundActivityDepthsOutsideTheRangeAreIgnored) {
  StatusBarOptions options = kind(StatusBarKind::Split);
  options.backgroundActivityDepths = {0, -5, INT_MIN, INT_MAX, kMaxBackgroundActivityDepth + 1,
                                      1, 2,  3,       5,       kMaxBackgroundActivityDepth};
  auto bar = rt::cast<UIView>(installStatusBar(app, options));
  std::vector<int> depths;
  for (const auto& pill : backgroundActivityViews(*bar)) depths.push_back(depthBelow(*bar, *pill));
  std::sort(depths.begin(), depths.end());
  EXPECT_EQ(depths, (std::vector<int>{1, 2, 3, 5, kMaxBackgroundActivityDepth}));
}

TEST_F(StatusBarTest, ASecondInstallReplacesTheFirstBar) {
  auto first = installStatusBar(app, {});
  std::weak_ptr<UIWindow> firstWindow = statusBarWindow(app);
  auto second = installStatusBar(app, kind(StatusBarKind::Classic));
  first.reset();
  EXPECT_TRUE(firstWindow.expired());
  EXPECT_EQ(UIApplication::sharedApplication(app)->statusBar, second);
  EXPECT_EQ(windowsOf(app).size(), 1u);
}

TEST(StatusBarScreens, AbsurdScreenSizesStillGiveABar) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<double, double> sizes[] = {{nan, nan}, {-375, 812}, {0, 0},
                                             {inf, inf}, {1e300, 20}, {10, 900}};
  for (const auto& [width, height] : sizes) {
    Device device(screen(width, height));
    Process& p = StatusBarTest::start(device, "App");
    for (StatusBarKind k : {StatusBarKind::Classic, StatusBarKind::Split}) {
      StatusBarOptions options;
      options.kind = k;
      EXPECT_TRUE(installStatusBar(p, options)) << width << "x" << height;
    }
    refreshStatusBars(device);
    device.drain();
  }
}

}  // namespace
