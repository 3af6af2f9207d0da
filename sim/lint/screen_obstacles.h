#pragma once
// What a model's screen puts in the HUD's way, in points of the portrait screen: the sensor housing, the
// rounded corners (in the model's display shape) and the status bar's items where the platform's own bar
// puts them.
#include <vector>

#include "platform/graphics/geometry.h"
#include "sim/scenario/device_models.h"

namespace sim {

struct StatusBarItemPlace {
  int item;  // the shell's state provider's number
  platform::CGRect frame;
};

// The items of the bar the model has (split with a housing, classic without), measured once per model on
// a bar the platform lays out.
const std::vector<StatusBarItemPlace>& statusBarItemPlaces(const DeviceModel& model);

// The housing's bounding rectangle; empty on a model without one.
platform::CGRect housingRect(const DeviceModel& model);

}  // namespace sim
