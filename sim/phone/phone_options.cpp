#include "sim/phone/phone_options.h"

namespace sim {

bool readDeviceOption(const std::optional<std::string>& name, const DeviceModel*& model, std::ostream& err) {
  if (!name) return true;
  model = deviceModelNamed(*name);
  if (model) return true;
  err << "tarvo12-sim: unknown device model '" << *name << "'; known: " << deviceModelList() << "\n";
  return false;
}

bool checkSettingsOption(const std::optional<std::filesystem::path>& path, std::ostream& err) {
  if (!path || std::filesystem::is_regular_file(*path)) return true;
  err << "tarvo12-sim: cannot read settings file " << path->string() << "\n";
  return false;
}

}  // namespace sim
