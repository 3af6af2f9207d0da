#pragma once
// Shared by the settings tests: a host process with a settings file, and the documented table of keys.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "platform/device/device.h"
#include "platform/foundation/plist_file.h"
#include "settings/preferences.h"
#include "settings/settings.h"
#include "support/markdown_table.h"

namespace tarvo::testing {

// One row of the documented table of keys (docs/settings.md): what people read, which the library's
// kSettingsTable must say too.
struct DocumentedSetting {
  std::string key;
  std::string variable;
  std::string kind;      // "switch", "integer" or "real"
  double defaultValue;   // true and false as 1 and 0
  std::string topic;     // the pane's group title
  std::string range;     // "0 to 200 pt, step 1", "0 Left, 1 Centre, 2 Right" or empty
  std::string read;      // "yes" or "by nothing"
};

// The rows of the "## Keys" table, in order:
// `| `key` | `VARIABLE` | kind | default | topic | slider or values | read |`.
inline std::vector<DocumentedSetting> documentedSettings() {
  std::vector<DocumentedSetting> rows;
  for (const auto& cells : testing_support::readMarkdownSection("docs/settings.md", "## Keys").rows) {
    if (cells.size() != 7) continue;  // the colours' table
    auto unquoted = [](const std::string& cell) { return cell.size() > 2 ? cell.substr(1, cell.size() - 2) : cell; };
    double value = cells[3] == "true" ? 1 : cells[3] == "false" ? 0 : std::strtod(cells[3].c_str(), nullptr);
    rows.push_back({unquoted(cells[0]), unquoted(cells[1]), cells[2], value, cells[4], cells[5], cells[6]});
  }
  return rows;
}

// The rows of the colours' table under "## Keys": key, fallback, what it colours, topic.
inline std::vector<std::vector<std::string>> documentedColorSettings() {
  std::vector<std::vector<std::string>> rows;
  for (const auto& cells : testing_support::readMarkdownSection("docs/settings.md", "## Keys").rows)
    if (cells.size() == 4) rows.push_back(cells);
  return rows;
}

// Stores `value` into the entry's member, converted as C++ would for an in-range value.
inline void setExpected(Settings& settings, const SettingEntry& entry, double value) {
  switch (entry.kind) {
    case SettingKind::Switch: settings.*entry.switchMember = value != 0; break;
    case SettingKind::Integer: settings.*entry.integerMember = static_cast<std::int32_t>(value); break;
    case SettingKind::Real: settings.*entry.realMember = static_cast<float>(value); break;
  }
}

inline Settings expectedDefaults() {
  Settings settings;
  for (const auto& entry : kSettingsTable) setExpected(settings, entry, entry.defaultValue);
  return settings;
}

// A value other than the default, of the entry's own kind.
inline platform::PlistValue nonDefaultValue(const SettingEntry& entry) {
  if (entry.kind == SettingKind::Switch) return platform::PlistValue(entry.defaultValue == 0);
  if (entry.kind == SettingKind::Integer) return platform::PlistValue(-7);
  return platform::PlistValue(entry.defaultValue + 33.5);
}

struct SettingsFileTest : ::testing::Test {
  platform::Device device;
  platform::Process& springboard = device.spawn("SpringBoard", "com.apple.springboard");
  std::filesystem::path path =
      springboard.resolvePath("/var/mobile/Library/Preferences/velkarin.tarvo12.plist");
  Preferences preferences{springboard};
  Settings settings;

  void write(const platform::PlistDict& dict, platform::PlistFormat format = platform::PlistFormat::Xml) {
    ASSERT_TRUE(platform::writePlistDictionary(path, dict, format));
  }
};

}  // namespace tarvo::testing
