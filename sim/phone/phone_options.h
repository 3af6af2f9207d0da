#pragma once
// Options several commands share, checked the same way with the same messages.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "sim/scenario/device_models.h"

namespace sim {

// --device: false, after saying why on `err`, when it names no model; `model` is left alone when absent.
bool readDeviceOption(const std::optional<std::string>& name, const DeviceModel*& model, std::ostream& err);
// --settings: false, after saying why on `err`, when it is given and is not a regular file.
bool checkSettingsOption(const std::optional<std::filesystem::path>& path, std::ostream& err);

}  // namespace sim
