#include "platform/uikit/application.h"

#include <gtest/gtest.h>

#include "platform/uikit/screen.h"
#include "platform/uikit/system_sound.h"
#include "platform/uikit/visual_effect_view.h"
#include "uikit_fixture.h"

namespace {

using namespace platform;
using uikit_test::UIKitTest;

TEST_F(UIKitTest, TheApplicationIsMadeThroughTheRuntimeAndShared) {
  EXPECT_EQ(UIApplication::sharedApplication(proc), nullptr);
  // A library that replaced UIApplication's init sees the shared application being made.
  rt::Class* cls = uikitClass(proc, "UIApplication");
  int seen = 0;
  rt::Impl<rt::Id()> previous;
  rt::MSHookMessageEx<rt::Id()>(
      cls, "init",
      [&](const rt::Id& self) {
        ++seen;
        return previous(self);
      },
      &previous);
  auto app = UIApplicationMain(proc);
  ASSERT_TRUE(app);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(UIApplication::sharedApplication(proc), app);
  EXPECT_EQ(UIApplicationMain(proc), app);
  EXPECT_EQ(rt::send<rt::Id()>(rt::classObject(*cls), "sharedApplication"), app);
  EXPECT_EQ(app->bundleIdentifier(), "com.example.app");
  EXPECT_EQ(app->userInterfaceLayoutDirection(), UIUserInterfaceLayoutDirectionLeftToRight);
  app->setUserInterfaceLayoutDirection(UIUserInterfaceLayoutDirectionRightToLeft);
  EXPECT_EQ(rt::send<long()>(app, "userInterfaceLayoutDirection"), 1);

  rt::Id* statusBar = rt::ivarAddress<rt::Id>(app, "_statusBar");
  ASSERT_NE(statusBar, nullptr);
  EXPECT_EQ(*statusBar, nullptr);
  *statusBar = view(CGRectMake(0, 0, 10, 10));
  EXPECT_EQ(app->statusBar, *statusBar);
}

TEST_F(UIKitTest, SubclassesOfTheApplicationMakeTheirOwnObject) {
  auto& shell = device.spawn("SpringBoard", "com.apple.springboard");
  uikitClass(shell, "UIApplication");
  shell.runtime().registerClass("SpringBoard", "UIApplication");
  auto app = UIApplicationMain(shell, "SpringBoard");
  ASSERT_TRUE(app);
  EXPECT_EQ(app->className(), "SpringBoard");
  EXPECT_EQ(UIApplicationMain(device.spawn("Bare", std::nullopt), "NoSuchClass"), nullptr);
}

TEST_F(UIKitTest, BundleScreenAndSounds) {
  EXPECT_EQ(NSBundle::mainBundle(proc).bundleIdentifier(), "com.example.app");
  EXPECT_EQ(NSBundle::mainBundle(device.spawn("Daemon", std::nullopt)).bundleIdentifier(), std::nullopt);
  auto screen = UIScreen::mainScreen(proc);
  EXPECT_EQ(screen, UIScreen::mainScreen(proc));
  EXPECT_EQ(screen->bounds(), CGRectMake(0, 0, 375, 812));
  EXPECT_EQ(screen->scale(), 3);
  EXPECT_EQ(rt::send<rt::Id()>(rt::classObject(*uikitClass(proc, "UIScreen")), "mainScreen"), screen);
  AudioServicesPlaySystemSound(proc, 1104);
  const TraceEvent& sound = device.trace().events().back();
  EXPECT_EQ(sound.kind, "sound");
  EXPECT_EQ(sound.process, "App");
  EXPECT_EQ(numberForKey(sound.fields, "id"), 1104);
}

TEST_F(UIKitTest, EffectViewsHostTheirContentInAContentViewThatFollowsTheirSize) {
  auto blur = makeVisualEffectView(proc, UIBlurEffect::effectWithStyle(UIBlurEffectStyleLight));
  ASSERT_TRUE(blur);
  EXPECT_EQ(blur->effect()->kind, UIVisualEffect::Kind::Blur);
  EXPECT_EQ(blur->effect()->style, UIBlurEffectStyleLight);
  auto content = blur->contentView();
  ASSERT_TRUE(content);
  EXPECT_EQ(blur->subviews(), (std::vector<UIView::Ptr>{content}));
  blur->setFrame(CGRectMake(0, 0, 120, 40));
  EXPECT_EQ(content->frame(), CGRectMake(0, 0, 120, 40));
  auto vibrancy = makeVisualEffectView(proc, UIVibrancyEffect::effectForBlurEffect(*blur->effect()));
  EXPECT_EQ(vibrancy->effect()->kind, UIVisualEffect::Kind::Vibrancy);
  content->addSubview(vibrancy);
  EXPECT_EQ(vibrancy->superview(), content);
}

}  // namespace
