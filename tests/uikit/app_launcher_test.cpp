#include "platform/uikit/app_launcher.h"

#include <gtest/gtest.h>

#include "platform/device/device.h"
#include "platform/device/injection.h"
#include "platform/runtime/message.h"
#include "platform/uikit/application.h"
#include "platform/uikit/status_bar.h"
#include "platform/uikit/window.h"

namespace {

using namespace platform;

struct AppLauncherTest : ::testing::Test {
  Device device;
  std::vector<std::string> steps;

  AppLauncherTest() {
    auto& filter = device.service<InjectionFilter>();
    filter.setRules({{"Agent", {std::string(kEveryProcess)}}});
    // The agent hooks the application's init, as a library loaded into the process would.
    filter.registerLoader("Agent", [this](Process& p) {
      steps.push_back("inject");
      auto previous = std::make_shared<rt::Impl<rt::Id()>>();
      rt::MSHookMessageEx<rt::Id()>(
          p.runtime().lookUpClass("UIApplication"), "init",
          [this, previous](const rt::Id& self) {
            steps.push_back("init " + self->className());
            return (*previous)(self);
          },
          previous.get());
    });
  }
};

TEST_F(AppLauncherTest, LibrariesComeInAfterTheProcessClassesAndBeforeTheApplicationIsMade) {
  AppOptions options;
  options.name = "Shell";
  options.bundleIdentifier = "com.example.shell";
  options.principalClass = "ShellApplication";
  options.registerClasses = [this](Process& p) {
    steps.push_back("classes");
    p.runtime().registerClass("ShellApplication", "UIApplication");
  };
  Process& p = launchApp(device, options);
  EXPECT_EQ(steps, (std::vector<std::string>{"classes", "inject", "init ShellApplication"}));
  EXPECT_EQ(p.name(), "Shell");
  EXPECT_EQ(p.bundleIdentifier(), "com.example.shell");
  EXPECT_EQ(injectedLibraries(p), std::vector<std::string>{"Agent"});
  auto app = UIApplication::sharedApplication(p);
  ASSERT_TRUE(app);
  EXPECT_EQ(app->className(), "ShellApplication");
  EXPECT_EQ(app->statusBar, installedStatusBar(p));

  const TraceEvent& launch = device.trace().events().front();
  EXPECT_EQ(launch.kind, "app.launch");
  EXPECT_EQ(*stringForKey(launch.fields, "bundleIdentifier"), "com.example.shell");
  EXPECT_EQ(*stringForKey(launch.fields, "principalClass"), "ShellApplication");
}

TEST_F(AppLauncherTest, AppsShowAFullScreenContentWindowUnderTheirStatusBar) {
  AppOptions options;
  options.bundleIdentifier = "com.example.app";
  options.contentColor = UIColor::blueColor();
  Process& p = launchApp(device, options);
  auto content = contentWindow(p);
  ASSERT_TRUE(content);
  EXPECT_EQ(content->frame(), CGRectMake(0, 0, 375, 812));
  EXPECT_EQ(content->windowLevel(), UIWindowLevelNormal);
  EXPECT_EQ(content->backgroundColor(), UIColor::blueColor());
  EXPECT_FALSE(content->isHidden());
  EXPECT_TRUE(content->isKeyWindow());
  EXPECT_EQ(windowsByLevel(device), (std::vector<std::shared_ptr<UIWindow>>{content, statusBarWindow(p)}));
}

TEST_F(AppLauncherTest, TheAccessibilityServerHasNoVisibleWindow) {
  Process& server = launchApp(device, accessibilityServerOptions());
  EXPECT_EQ(server.bundleIdentifier(), "com.apple.accessibility.AccessibilityUIServer");
  EXPECT_EQ(contentWindow(server), nullptr);
  ASSERT_TRUE(installedStatusBar(server));
  for (const auto& window : windowsOf(server)) EXPECT_TRUE(window->isHidden());
}

TEST_F(AppLauncherTest, AMissingPrincipalClassLeavesTheProcessWithoutAnApplication) {
  AppOptions options;
  options.principalClass = "NoSuchApplication";
  Process& p = launchApp(device, options);
  EXPECT_EQ(UIApplication::sharedApplication(p), nullptr);
  EXPECT_TRUE(installedStatusBar(p));  // the bar is made all the same; nothing holds it as "_statusBar"
  refreshStatusBars(device);
}

}  // namespace
