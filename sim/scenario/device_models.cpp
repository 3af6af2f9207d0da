#include "sim/scenario/device_models.h"

#include <array>

namespace sim {

namespace {

constexpr auto kModels = std::to_array<DeviceModel>({
    {"iPhone8,4", "iPhone SE", 320, 568, 2, false},
    {"iPhone9,1", "iPhone 7", 375, 667, 2, false},
    {"iPhone9,3", "iPhone 7", 375, 667, 2, false},
    {"iPhone9,2", "iPhone 7 Plus", 414, 736, 3, false},
    {"iPhone9,4", "iPhone 7 Plus", 414, 736, 3, false},
    {"iPhone10,1", "iPhone 8", 375, 667, 2, false},
    {"iPhone10,4", "iPhone 8", 375, 667, 2, false},
    {"iPhone10,2", "iPhone 8 Plus", 414, 736, 3, false},
    {"iPhone10,5", "iPhone 8 Plus", 414, 736, 3, false},
    {"iPhone10,3", "iPhone X", 375, 812, 3, true},
    {"iPhone10,6", "iPhone X", 375, 812, 3, true},
    {"iPhone11,2", "iPhone XS", 375, 812, 3, true},
    {"iPhone11,6", "iPhone XS Max", 414, 896, 3, true},
    {"iPhone11,8", "iPhone XR", 414, 896, 2, true},
});

constexpr std::string_view kDefaultModel = "iPhone10,3";

}  // namespace

std::span<const DeviceModel> deviceModels() {
  return kModels;
}

const DeviceModel* deviceModelNamed(std::string_view identifier) {
  for (const DeviceModel& model : kModels)
    if (model.identifier == identifier) return &model;
  return nullptr;
}

const DeviceModel& defaultDeviceModel() {
  return *deviceModelNamed(kDefaultModel);
}

std::string deviceModelList() {
  std::string list;
  for (const DeviceModel& model : kModels) list += (list.empty() ? "" : ", ") + std::string(model.identifier);
  return list;
}

}  // namespace sim
