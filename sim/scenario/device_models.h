#pragma once
// The phones the simulator can be: model identifier, portrait screen size in points and scale, and the
// display's outline and status bar as the phone has them.
#include <span>
#include <string>
#include <string_view>

namespace sim {

// The display's real outline, in points of the portrait screen.
struct DisplayShape {
  double cornerRadius = 0;   // the screen's rounded corners
  double housingWidth = 0;   // the sensor housing at the top edge, centred; 0 for none
  double housingHeight = 0;  // from the top edge
  double housingRadius = 0;  // its lower corners
};

struct DeviceModel {
  std::string_view identifier;  // what uname's machine field answers, e.g. "iPhone10,3"
  std::string_view marketingName;
  double width = 0;   // portrait, in points
  double height = 0;  // portrait, in points
  double scale = 1;   // pixels per point
  DisplayShape display;
  double statusBarHeight = 20;  // points; notched models have the split bar

  // A sensor housing at the top and a home indicator at the bottom.
  bool notched() const { return display.housingWidth > 0; }
};

std::span<const DeviceModel> deviceModels();
const DeviceModel* deviceModelNamed(std::string_view identifier);
// The model a scenario runs on when it names none.
const DeviceModel& defaultDeviceModel();
// "iPhone8,4, iPhone9,1, ..." for messages.
std::string deviceModelList();

}  // namespace sim
