#include <cstdio>

#include "platform/foundation/plist_file.h"
#include "settings/settings.h"
#include "sim/lint/settings_lint.h"
#include "sim/phone/phone_options.h"
#include "sim/verbs/lint.h"

namespace sim {

int runLint(const LintOptions& options, std::ostream& out, std::ostream& err) {
  const std::filesystem::path& path = options.settings;
  const DeviceModel* model = nullptr;
  if (!readDeviceOption(options.device, model, err)) return 2;
  if (!std::filesystem::exists(path)) {
    err << "tarvo12-sim: no settings file " << path.string() << "\n";
    return 2;
  }
  auto prefs = platform::readPlistDictionary(path);
  out << "settings file " << path.string() << "\n\n";
  for (const auto& e : tarvo::explainSettings(prefs)) {
    char line[160];
    std::snprintf(line, sizeof line, "  %-26s %-26s %-10s %s", std::string(e.entry->key).c_str(),
                  std::string(e.entry->variable).c_str(), tarvo::formatSettingValue(e.value).c_str(),
                  std::string(tarvo::settingSourceName(e.source)).c_str());
    out << line;
    if (!e.entry->read) out << " (read by nothing)";
    if (e.source == tarvo::SettingSource::WrongKind) out << " (" << indefiniteArticle(e.fileKind) << " " << e.fileKind << ")";
    else if (e.source == tarvo::SettingSource::Converted) out << " (from " << indefiniteArticle(e.fileKind) << " " << e.fileKind << ")";
    out << "\n";
  }

  out << "\n  colours\n";
  for (const auto& c : tarvo::kColorSettings) {
    char line[200];
    std::snprintf(line, sizeof line, "  %-26s %s", std::string(c.key).c_str(),
                  describeColorSetting(prefs, c.key).c_str());
    out << line << "\n";
  }
  auto warnings = lintSettings(prefs, model);
  out << "\n  the HUD laid out on " << (model ? std::string(model->identifier) : "every model")
      << ", in both modes and the four orientations\n\n";
  if (warnings.empty()) {
    out << "no warnings\n";
    return 0;
  }
  for (const auto& w : warnings) out << "warning: " << w.text << "\n";
  return 1;
}

}  // namespace sim
