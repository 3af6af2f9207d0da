#pragma once
// The phones the simulator can be: model identifier, portrait screen size in points and scale.
#include <span>
#include <string>
#include <string_view>

namespace sim {

struct DeviceModel {
  std::string_view identifier;  // what uname's machine field answers, e.g. "iPhone10,3"
  std::string_view marketingName;
  double width = 0;      // portrait, in points
  double height = 0;     // portrait, in points
  double scale = 1;      // pixels per point
  bool notched = false;  // a sensor housing at the top and a home indicator at the bottom
};

std::span<const DeviceModel> deviceModels();
const DeviceModel* deviceModelNamed(std::string_view identifier);
// The model a scenario runs on when it names none.
const DeviceModel& defaultDeviceModel();
// "iPhone8,4, iPhone9,1, ..." for messages.
std::string deviceModelList();

}  // namespace sim
