#pragma once
// A device with one app process that has UIKit, and small helpers the UIKit tests share.
#include <gtest/gtest.h>

#include "platform/device/device.h"
#include "platform/device/foundation_classes.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/view.h"
#include "platform/uikit/window.h"

namespace uikit_test {

struct UIKitTest : ::testing::Test {
  platform::Device device;
  platform::Process& proc = device.spawn("App", "com.example.app");

  UIKitTest() { platform::loadUIKit(proc); }

  std::shared_ptr<platform::UIView> view(platform::CGRect frame, std::string_view cls = "UIView") {
    return platform::makeView<platform::UIView>(proc, cls, frame);
  }
  double seconds() const { return platform::nanosToSeconds(device.now()); }
  // Moves the virtual clock to t seconds, running whatever falls due.
  void at(double t) { device.runUntil(platform::secondsToNanos(t)); }
  platform::Nanos nanos(double t) const { return platform::secondsToNanos(t); }
};

// A runtime class with an action that counts its calls and remembers the sender.
struct ActionCounter {
  int calls = 0;
  rt::Id lastSender;
};

inline rt::Id makeActionTarget(platform::Process& proc, ActionCounter& counter, const std::string& action) {
  rt::Class* cls = proc.runtime().lookUpClass("TestTarget");
  if (!cls) cls = &proc.runtime().registerClass("TestTarget", "NSObject");
  rt::defineMethod<void(rt::Id)>(*cls, action, [&counter](const rt::Id&, rt::Id sender) {
    ++counter.calls;
    counter.lastSender = sender;
  });
  return platform::allocInit(*cls);
}

}  // namespace uikit_test
