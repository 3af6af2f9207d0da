#pragma once
// Options several commands share, checked the same way with the same messages.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "sim/scenario/device_models.h"

namespace sim {

// --device: false, after saying why on `err`, when it names no model; `model` is left alone when absent.
bool readDeviceOption(const std::optional<std::string>& name, const DeviceModel*& model, std::ostream& err);
// --content, --wallpaper: a built-in picture's name or a PNG file. Answers the scenario's words for it (a
// name, or the file's absolute path as a quoted string); nothing, after saying why on `err`, when the name
// is unknown or the file cannot be read or decoded.
std::optional<std::string> readContentOption(const std::string& value, std::string_view option, std::ostream& err);
// --settings: false, after saying why on `err`, when it is given and is not a regular file.
bool checkSettingsOption(const std::optional<std::filesystem::path>& path, std::ostream& err);

}  // namespace sim
