#include "sim/phone/settings_pane.h"

#include <system_error>

#include "platform/device/distributed_center.h"
#include "platform/device/process.h"
#include "settings/preferences.h"
#include "shared/protocol.h"

namespace sim {

SettingsPane::SettingsPane(platform::Process& shell, platform::Process& pane)
    : file_(shell.resolvePath(tarvo::kPreferencesPath)), pane_(pane) {}

platform::PlistDict SettingsPane::current() const {
  return platform::readPlistDictionary(file_).value_or(platform::PlistDict{});
}

void SettingsPane::write(const platform::PlistDict& contents, const SettingsWrite& how) {
  platform::writePlistDictionary(file_, contents, how.format);
  if (how.post) post();
}

void SettingsPane::post() {
  platform::CFNotificationCenterPostNotification(platform::CFNotificationCenterGetDistributedCenter(pane_),
                                                 tarvo::protocol::kPrefsChanged, nullptr, nullptr, true);
}

void SettingsPane::set(const SetSetting& command) {
  platform::PlistDict contents = current();
  contents.set(command.key, command.value);
  write(contents, command.write);
}

void SettingsPane::remove(const RemoveSetting& command) {
  platform::PlistDict contents = current();
  contents.erase(command.key);
  write(contents, command.write);
}

void SettingsPane::replace(const ReplaceSettings& command) { write(command.contents, command.write); }

void SettingsPane::writeFile(const WriteSettingsFile& command) {
  const auto* bytes = std::get_if<std::string>(&command.contents);
  const auto* value = std::get_if<platform::PlistValue>(&command.contents);
  std::string serialized = value ? platform::serializePlist(*value, command.write.format) : std::string();
  platform::writeFileAtomically(file_, bytes ? *bytes : serialized);
  if (command.write.post) post();
}

void SettingsPane::erase(const DeleteSettings& command) {
  std::error_code ec;
  std::filesystem::remove(file_, ec);
  if (command.post) post();
}

}  // namespace sim
