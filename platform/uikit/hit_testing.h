#pragma once
// Simulated taps: which view a finger at a screen point lands on, and the tap recognisers that then fire.
#include <memory>
#include <vector>

#include "platform/graphics/geometry.h"
#include "platform/runtime/object.h"

namespace platform {

class Device;
class Process;
class UIView;
class UIWindow;

struct TapResult {
  std::shared_ptr<UIWindow> window;  // nil when nothing was hit
  std::shared_ptr<UIView> view;
  std::size_t actionsSent = 0;  // target/actions of the tap recognisers that fired
};

// UIKit's hitTest:withEvent: for one view, the point in the view's own coordinates: hidden views, views with
// user interaction off and views with alpha below 0.01 are never hit; pointInside:withEvent: (through the
// runtime) decides, and subviews are asked front to back through hitTest:withEvent:.
rt::Id defaultHitTest(const std::shared_ptr<UIView>& view, CGPoint point, const rt::Id& event);

// Offers the tap to the windows from the highest level down (equal levels: later windows first); the first
// window whose hitTest:withEvent: answers a view takes it. The single-tap recognisers of that view and of
// its ancestors fire, deepest first. Traced as "tap" in the process that was hit (a miss in the process of
// the first window, when there is one).
TapResult simulateTap(std::vector<std::shared_ptr<UIWindow>> windows, CGPoint screenPoint);
// Every window of every process of the device; a miss is traced in the first process.
TapResult simulateTap(Device& device, CGPoint screenPoint);

}  // namespace platform
