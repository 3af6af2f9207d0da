#include "platform/uikit/hit_testing.h"

#include "platform/device/device.h"
#include "platform/runtime/message.h"
#include "platform/uikit/gesture_recognizer.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

constexpr double kInvisibleAlpha = 0.01;

// The single-tap recognisers of the view and its ancestors, deepest first.
std::vector<std::shared_ptr<UITapGestureRecognizer>> recognizersFor(std::shared_ptr<UIView> view) {
  std::vector<std::shared_ptr<UITapGestureRecognizer>> found;
  for (; view; view = view->superview()) {
    for (const auto& recognizer : view->gestureRecognizers()) {
      auto tap = std::dynamic_pointer_cast<UITapGestureRecognizer>(recognizer);
      if (tap && tap->recognizesSingleTap()) found.push_back(std::move(tap));
    }
  }
  return found;
}

void traceTap(Process& process, CGPoint point, const TapResult& result, std::size_t recognizers) {
  PlistDict fields;
  fields.set("x", point.x);
  fields.set("y", point.y);
  fields.set("hit", result.view != nullptr);
  if (result.view) {
    fields.set("window", result.window->className());
    fields.set("view", result.view->className());
    fields.set("recognizers", static_cast<std::int64_t>(recognizers));
  }
  process.trace("tap", std::move(fields));
}

// Windows lowest level first; the tap is traced before any action runs, so the trace reads in order.
TapResult tap(const std::vector<std::shared_ptr<UIWindow>>& windows, CGPoint screenPoint,
              Process* missProcess) {
  TapResult result;
  for (auto it = windows.rbegin(); it != windows.rend() && !result.view; ++it) {
    CGPoint local = (*it)->convertPointFromSuperview(screenPoint);
    auto hit =
        rt::cast<UIView>(rt::send<rt::Id(CGPoint, rt::Id)>(*it, "hitTest:withEvent:", local, rt::Id()));
    if (hit) {
      result.window = *it;
      result.view = hit;
    }
  }
  auto recognizers = recognizersFor(result.view);
  if (result.view)
    traceTap(result.view->process(), screenPoint, result, recognizers.size());
  else if (missProcess)
    traceTap(*missProcess, screenPoint, result, 0);
  for (const auto& recognizer : recognizers) result.actionsSent += recognizer->sendActions();
  return result;
}

}  // namespace

rt::Id defaultHitTest(const std::shared_ptr<UIView>& view, CGPoint point, const rt::Id& event) {
  if (!view || view->isHidden() || !view->isUserInteractionEnabled() || !(view->alpha() >= kInvisibleAlpha))
    return nullptr;
  if (!rt::send<bool(CGPoint, rt::Id)>(view, "pointInside:withEvent:", point, event)) return nullptr;
  auto children = view->subviews();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    CGPoint local = (*it)->convertPointFromSuperview(point);
    if (rt::Id hit = rt::send<rt::Id(CGPoint, rt::Id)>(*it, "hitTest:withEvent:", local, event)) return hit;
  }
  return view;
}

TapResult simulateTap(std::vector<std::shared_ptr<UIWindow>> windows, CGPoint screenPoint) {
  sortByLevel(windows);
  return tap(windows, screenPoint, windows.empty() ? nullptr : &windows.front()->process());
}

TapResult simulateTap(Device& device, CGPoint screenPoint) {
  return tap(windowsByLevel(device), screenPoint,
             device.processes().empty() ? nullptr : device.processes().front().get());
}

}  // namespace platform
