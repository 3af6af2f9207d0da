#include "sim/phone/phone_options.h"

#include <fstream>
#include <iterator>

#include "platform/uikit/content/builtin_content.h"
#include "sim/phone/screen_content.h"

namespace sim {

namespace {

// A scenario string holding the text exactly.
std::string scenarioString(const std::string& text) {
  std::string quoted = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7f) {
      static constexpr char kHex[] = "0123456789abcdef";
      quoted += "\\u{";
      quoted += kHex[c >> 4];
      quoted += kHex[c & 15];
      quoted += '}';
    } else {
      quoted += static_cast<char>(c);
    }
  }
  return quoted + "\"";
}

}  // namespace

std::optional<std::string> readContentOption(const std::string& value, std::string_view option, std::ostream& err) {
  if (platform::builtinContentNamed(value)) return value;
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(value, error);
  std::ifstream file(path, std::ios::binary);
  if (error || !std::filesystem::is_regular_file(path, error) || !file) {
    err << "tarvo12-sim: " << option << ": cannot read " << value << " (" << platform::builtinContentNames()
        << ", or a PNG file)\n";
    return std::nullopt;
  }
  ContentChoice choice;
  choice.file = path.string();
  choice.bytes = std::make_shared<const std::vector<std::uint8_t>>((std::istreambuf_iterator<char>(file)),
                                                                  std::istreambuf_iterator<char>());
  if (contentProblem(choice)) {
    err << "tarvo12-sim: " << option << ": cannot read " << value << " as an image: it is not a whole PNG file\n";
    return std::nullopt;
  }
  return scenarioString(path.string());
}

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
