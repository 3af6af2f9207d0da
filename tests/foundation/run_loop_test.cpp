#include <gtest/gtest.h>

#include "platform/device/device.h"
#include "platform/device/distributed_center.h"
#include "platform/device/foundation_classes.h"
#include "platform/device/timer.h"
#include "platform/runtime/message.h"

namespace {

using platform::Device;
using platform::NSTimer;
using platform::secondsToNanos;

// A target whose action records the virtual time and a label.
struct Recorder {
  std::vector<std::pair<double, std::string>> calls;
};

rt::Id makeTarget(platform::Process& proc, Recorder& rec, const std::string& label) {
  rt::Class* cls = proc.runtime().lookUpClass("Target");
  if (!cls) {
    cls = &proc.runtime().registerClass("Target", "NSObject");
  }
  rt::Id target = platform::allocInit(*cls);
  rt::defineMethod<void(rt::Id)>(*cls, "fire" + label + ":", [&rec, &proc, label](const rt::Id&, rt::Id) {
    rec.calls.emplace_back(proc.device().clock().seconds(), label);
  });
  return target;
}

TEST(Timers, FireInTimeOrderWithTiesInScheduleOrderAcrossProcesses) {
  Device device;
  auto& a = device.spawn("A", "a");
  auto& b = device.spawn("B", "b");
  Recorder rec;
  NSTimer::scheduledTimer(b, 2.0, makeTarget(b, rec, "late"), "firelate:", nullptr, false);
  NSTimer::scheduledTimer(a, 1.0, makeTarget(a, rec, "first"), "firefirst:", nullptr, false);
  NSTimer::scheduledTimer(b, 1.0, makeTarget(b, rec, "second"), "firesecond:", nullptr, false);
  auto cancelled = NSTimer::scheduledTimer(a, 0.5, makeTarget(a, rec, "never"), "firenever:", nullptr, false);
  cancelled->invalidate();
  device.advance(1.5);
  ASSERT_EQ(rec.calls.size(), 2u);
  EXPECT_EQ(rec.calls[0], std::make_pair(1.0, std::string("first")));
  EXPECT_EQ(rec.calls[1], std::make_pair(1.0, std::string("second")));
  EXPECT_DOUBLE_EQ(device.clock().seconds(), 1.5);
  device.advance(10);
  ASSERT_EQ(rec.calls.size(), 3u);
  EXPECT_EQ(rec.calls[2].first, 2.0);
  EXPECT_FALSE(cancelled->isValid());
}

TEST(Timers, RepeatingTimerUntilInvalidatedAndNonPositiveIntervals) {
  Device device;
  auto& a = device.spawn("A", "a");
  Recorder rec;
  auto timer = NSTimer::scheduledTimer(a, 0.25, makeTarget(a, rec, "tick"), "firetick:", nullptr, true);
  device.advance(1.0);
  EXPECT_EQ(rec.calls.size(), 4u);
  timer->invalidate();
  device.advance(1.0);
  EXPECT_EQ(rec.calls.size(), 4u);

  auto zero = NSTimer::scheduledTimer(a, -1, makeTarget(a, rec, "zero"), "firezero:", nullptr, false);
  EXPECT_EQ(zero->fireDate(), device.now() + secondsToNanos(0.0001));
  auto nan = NSTimer::scheduledTimer(a, std::nan(""), nullptr, "x:", nullptr, false);
  EXPECT_EQ(nan->fireDate(), device.now() + secondsToNanos(0.0001));
  device.advance(1);  // a nil target is simply not messaged
  EXPECT_EQ(rec.calls.back().second, "zero");
}

TEST(RunLoop, PerformSoonRunsAfterWorkAlreadyDue) {
  Device device;
  auto& a = device.spawn("A", "a");
  std::vector<int> order;
  a.runLoop().performSoon([&] {
    order.push_back(1);
    a.runLoop().performSoon([&] { order.push_back(3); });
  });
  a.runLoop().performSoon([&] { order.push_back(2); });
  EXPECT_TRUE(order.empty());
  device.drain();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(RunLoop, RunawayWorkStopsAtTheStepBudget) {
  Device device;
  auto& a = device.spawn("A", "a");
  std::function<void()> again = [&] { a.runLoop().performSoon(again); };
  a.runLoop().performSoon(again);
  EXPECT_FALSE(device.runUntil(device.now(), 1000));
}

struct BusTest : ::testing::Test {
  Device device;
  platform::Process& host = device.spawn("SpringBoard", "com.apple.springboard");
  platform::Process& app = device.spawn("App", "com.example.app");
};

TEST_F(BusTest, DeliversAsynchronouslyToEveryProcessIncludingThePoster) {
  std::vector<std::string> got;
  auto* cf = platform::CFNotificationCenterGetDistributedCenter(host);
  platform::CFNotificationCenterAddObserver(
      cf, nullptr,
      [&](platform::CFNotificationCenterRef, void*, std::string_view name, const void*, const platform::PlistDict*) {
        got.push_back("host:" + std::string(name));
      },
      "n", nullptr, platform::CFNotificationSuspensionBehaviorDeliverImmediately);
  auto& ns = platform::NSDistributedNotificationCenter::defaultCenter(app);
  ns.addObserverForName("n", nullptr, platform::NSOperationQueue::mainQueue(app),
                        [&](const platform::NSNotification& note) { got.push_back("app:" + note.name()); });
  ns.addObserverForName("other", nullptr, platform::NSOperationQueue::mainQueue(app),
                        [&](const platform::NSNotification&) { got.push_back("wrong"); });

  platform::NSDistributedNotificationCenter::defaultCenter(host).postNotificationName("n", nullptr, nullptr);
  EXPECT_TRUE(got.empty());
  device.drain();
  EXPECT_EQ(got, (std::vector<std::string>{"host:n", "app:n"}));
}

TEST_F(BusTest, PayloadIsACopyTakenAtPostTime) {
  std::optional<platform::PlistDict> received;
  auto& ns = platform::NSDistributedNotificationCenter::defaultCenter(app);
  ns.addObserverForName("n", nullptr, platform::NSOperationQueue::mainQueue(app),
                        [&](const platform::NSNotification& note) { received = *note.userInfo(); });
  platform::PlistDict payload;
  payload.set("modifier", "hide");
  auto* cf = platform::CFNotificationCenterGetDistributedCenter(host);
  platform::CFNotificationCenterPostNotification(cf, "n", nullptr, &payload, true);
  payload.set("modifier", "show");
  payload.set("extra", 1);
  device.drain();
  ASSERT_TRUE(received);
  EXPECT_EQ(received->size(), 1u);
  EXPECT_EQ(*platform::stringForKey(*received, "modifier"), "hide");
  EXPECT_EQ(device.trace().count("notification.post"), 1u);
  EXPECT_EQ(device.trace().count("notification.deliver"), 1u);
}

}  // namespace
