#include "sim/scenario/device_models.h"

#include <array>

namespace sim {

namespace {

// Classic phones: square panels drawn with a slight rounding, the classic 20-point bar.
constexpr DisplayShape kClassic{8, 0, 0, 0};
// The X's housing; the XR and 11 share it here (theirs is a little larger in points on the glass).
constexpr DisplayShape kX{39, 209, 30, 20};
constexpr DisplayShape kXR{41.5, 209, 30, 20};
constexpr DisplayShape k12Mini{44, 226, 33, 20};
constexpr DisplayShape k12{47.33, 210, 32, 20};
constexpr DisplayShape k12ProMax{53.33, 210, 32, 20};
// The bar of the system each phone came with: 44 points up to the 11 family, taller on the 12s.
constexpr double kSplitBar = 44;

constexpr auto kModels = std::to_array<DeviceModel>({
    {"iPhone8,4", "iPhone SE", 320, 568, 2, kClassic},
    {"iPhone9,1", "iPhone 7", 375, 667, 2, kClassic},
    {"iPhone9,3", "iPhone 7", 375, 667, 2, kClassic},
    {"iPhone9,2", "iPhone 7 Plus", 414, 736, 3, kClassic},
    {"iPhone9,4", "iPhone 7 Plus", 414, 736, 3, kClassic},
    {"iPhone10,1", "iPhone 8", 375, 667, 2, kClassic},
    {"iPhone10,4", "iPhone 8", 375, 667, 2, kClassic},
    {"iPhone10,2", "iPhone 8 Plus", 414, 736, 3, kClassic},
    {"iPhone10,5", "iPhone 8 Plus", 414, 736, 3, kClassic},
    {"iPhone10,3", "iPhone X", 375, 812, 3, kX, kSplitBar},
    {"iPhone10,6", "iPhone X", 375, 812, 3, kX, kSplitBar},
    {"iPhone11,2", "iPhone XS", 375, 812, 3, kX, kSplitBar},
    {"iPhone11,6", "iPhone XS Max", 414, 896, 3, kX, kSplitBar},
    {"iPhone11,8", "iPhone XR", 414, 896, 2, kXR, kSplitBar},
    {"iPhone12,1", "iPhone 11", 414, 896, 2, kXR, kSplitBar},
    {"iPhone12,3", "iPhone 11 Pro", 375, 812, 3, kX, kSplitBar},
    {"iPhone12,5", "iPhone 11 Pro Max", 414, 896, 3, kX, kSplitBar},
    {"iPhone12,8", "iPhone SE (2nd generation)", 375, 667, 2, kClassic},
    {"iPhone13,1", "iPhone 12 mini", 360, 780, 3, k12Mini, 50},
    {"iPhone13,2", "iPhone 12", 390, 844, 3, k12, 47},
    {"iPhone13,3", "iPhone 12 Pro", 390, 844, 3, k12, 47},
    {"iPhone13,4", "iPhone 12 Pro Max", 428, 926, 3, k12ProMax, 47},
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
