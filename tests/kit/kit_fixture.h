#pragma once
// A device whose UIKit processes get Tarvo12Kit, and a bare process that plays SpringBoard's Tarvo12: it
// posts the commands and requests by hand and collects the colour reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/tarvo12_kit.h"
#include "platform/device/device.h"
#include "platform/device/distributed_center.h"
#include "platform/device/injection.h"
#include "platform/uikit/app_launcher.h"
#include "platform/uikit/application.h"
#include "platform/uikit/status_bar.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/view.h"
#include "shared/protocol.h"

namespace kit_test {

namespace protocol = tarvo::protocol;

struct Reply {
  std::string from;
  platform::PlistDict userInfo;
};

struct KitTest : ::testing::Test {
  platform::Device device;
  platform::Process& host = device.spawn("Host", std::nullopt);
  std::vector<Reply> replies;

  KitTest() {
    auto& filter = device.service<platform::InjectionFilter>();
    filter.setRules({{"Tarvo12Kit", {std::string(platform::kEveryProcess)}}});
    filter.registerLoader("Tarvo12Kit", [](platform::Process& p) { tarvokit::Tarvo12Kit::load(p); });
    platform::CFNotificationCenterAddObserver(
        platform::CFNotificationCenterGetDistributedCenter(host), nullptr,
        [this](platform::CFNotificationCenterRef, void*, std::string_view, const void*,
               const platform::PlistDict* info) {
          replies.push_back({lastSender(), info ? *info : platform::PlistDict{}});
        },
        protocol::kGetStatusBarProperties, nullptr, protocol::kSuspensionDeliverImmediately);
  }

  platform::Process& launch(std::string name, std::optional<std::string> bundle,
                            platform::StatusBarOptions statusBar = {}) {
    platform::AppOptions options;
    options.name = std::move(name);
    options.bundleIdentifier = std::move(bundle);
    options.statusBar = std::move(statusBar);
    platform::Process& p = platform::launchApp(device, options);
    device.drain();
    return p;
  }

  void post(std::string_view name, const platform::PlistDict& info) {
    platform::NSDistributedNotificationCenter::defaultCenter(host).postNotificationName(name, nullptr, &info);
    device.drain();
  }
  void postCommand(std::string_view name, std::string modifier) {
    platform::PlistDict info;
    info.set(std::string(protocol::kModifier), std::move(modifier));
    post(name, info);
  }
  void request(std::string front, bool forceSplit = false, bool iPhoneX = false) {
    platform::PlistDict info;
    info.set(std::string(protocol::kFrontMostApp), std::move(front));
    info.set(std::string(protocol::kIsForceSplit), forceSplit);
    info.set(std::string(protocol::kIsIPhoneX), iPhoneX);
    post(protocol::kRequestStatusBarProperties, info);
  }

  // Trace events of one kind in one process, from `from` on.
  std::vector<platform::TraceEvent> events(const platform::Process& p, std::string_view kind) {
    std::vector<platform::TraceEvent> found;
    for (const auto& e : device.trace().events())
      if (e.process == p.name() && e.kind == kind) found.push_back(e);
    return found;
  }
  std::vector<std::string> logLines(const platform::Process& p) {
    std::vector<std::string> lines;
    for (const auto& line : device.logLines())
      if (line.process == p.name()) lines.push_back(line.text);
    return lines;
  }
  // The names a process subscribed to, in order.
  std::vector<std::string> observedNames(const platform::Process& p) {
    std::vector<std::string> names;
    for (const auto& e : events(p, "notification.observe"))
      names.push_back(*platform::stringForKey(e.fields, "name"));
    return names;
  }

  static std::shared_ptr<platform::StatusBarView> statusBar(platform::Process& p) {
    auto app = platform::UIApplication::sharedApplication(p);
    return app ? rt::cast<platform::StatusBarView>(app->statusBar) : nullptr;
  }
  static std::shared_ptr<platform::UIView> foregroundView(platform::Process& p) {
    auto bar = statusBar(p);
    return bar ? rt::cast<platform::UIView>(bar->foregroundView) : nullptr;
  }

  // Views of the class at any depth below `root`, with their depth (children of root are at depth 1).
  static void collect(const platform::UIView& root, std::string_view cls, int depth,
                      std::vector<std::pair<std::shared_ptr<platform::UIView>, int>>& out) {
    for (const auto& child : root.subviews()) {
      if (child->isKindOfClass(cls)) out.emplace_back(child, depth);
      collect(*child, cls, depth + 1, out);
    }
  }
  static std::vector<std::pair<std::shared_ptr<platform::UIView>, int>> backgroundActivityViews(
      platform::Process& p) {
    std::vector<std::pair<std::shared_ptr<platform::UIView>, int>> found;
    if (auto bar = statusBar(p)) collect(*bar, "_UIStatusBarBackgroundActivityView", 1, found);
    return found;
  }

  static const platform::PropertyAnimation* alphaAnimation(const platform::UIView& view) {
    for (const auto& a : view.animations())
      if (a.property == platform::AnimatableProperty::Alpha) return &a;
    return nullptr;
  }

 private:
  std::string lastSender() {
    const auto& all = device.trace().events();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
      if (it->kind == "notification.deliver") return *platform::stringForKey(it->fields, "from");
    return {};
  }
};

}  // namespace kit_test
