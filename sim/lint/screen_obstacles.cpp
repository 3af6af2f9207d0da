#include "sim/lint/screen_obstacles.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/device/device.h"
#include "platform/uikit/application.h"
#include "platform/uikit/status_bar.h"
#include "platform/uikit/status_bar_installer.h"
#include "platform/uikit/status_bar_items.h"
#include "platform/uikit/uikit_classes.h"

namespace sim {

namespace {

std::vector<StatusBarItemPlace> measure(const DeviceModel& model) {
  platform::DeviceOptions options;
  options.model = std::string(model.identifier);
  options.screenWidth = model.width;
  options.screenHeight = model.height;
  options.scale = model.scale;
  options.housingWidth = model.display.housingWidth;
  options.statusBarHeight = model.statusBarHeight;
  platform::Device device(options);
  platform::Process& process = device.spawn("StatusBarMeasure", "com.example.measure");
  platform::loadUIKit(process);
  platform::UIApplicationMain(process);
  platform::installStatusBar(process, platform::StatusBarOptions{});
  std::vector<StatusBarItemPlace> places;
  auto bar = platform::installedStatusBar(process);
  if (!bar) return places;
  for (const auto& view : platform::statusBarItemsBelow(*bar)) {
    const platform::CGRect b = view->bounds();
    const platform::CGPoint a = view->convertPointToView(b.origin, nullptr);
    const platform::CGPoint z =
        view->convertPointToView({b.origin.x + b.size.width, b.origin.y + b.size.height}, nullptr);
    places.push_back({view->item(), platform::CGRectStandardize({a, {z.x - a.x, z.y - a.y}})});
  }
  return places;
}

}  // namespace

const std::vector<StatusBarItemPlace>& statusBarItemPlaces(const DeviceModel& model) {
  // A bar costs a throwaway device to lay out; lint asks for every model each time settings change.
  static std::mutex mutex;
  static std::map<std::string, std::vector<StatusBarItemPlace>, std::less<>> measured;
  std::lock_guard lock(mutex);
  auto it = measured.find(model.identifier);
  if (it == measured.end()) it = measured.emplace(std::string(model.identifier), measure(model)).first;
  return it->second;
}

platform::CGRect housingRect(const DeviceModel& model) {
  const DisplayShape& d = model.display;
  if (!(d.housingWidth > 0)) return platform::CGRectZero;
  return {{(model.width - d.housingWidth) / 2, 0}, {d.housingWidth, d.housingHeight}};
}

}  // namespace sim
