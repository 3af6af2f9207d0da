#include "settings/preferences.h"

#include "platform/device/process.h"
#include "platform/foundation/plist_file.h"

namespace tarvo {

static_assert(detail::settingIndex("blurBackground") < kSettingsTable.size() &&
                  detail::settingIndex("volumePercentage") < kSettingsTable.size() &&
                  detail::settingIndex("dropShadow") < kSettingsTable.size(),
              "the load-time order names rows that are in the table");

namespace {

void storeSetting(Settings& settings, const SettingEntry& entry,
                  const std::optional<platform::PlistDict>& prefs, const SettingVisitor& visit) {
  if (visit) visit(entry);
  loadSetting(settings, entry, prefs);
}

}  // namespace

void loadSettings(Settings& settings, const std::optional<platform::PlistDict>& prefs,
                  const SettingVisitor& visit) {
  for (const auto& entry : kSettingsTable) storeSetting(settings, entry, prefs, visit);
}

void applyStaticInitialisation(Settings& settings, const std::optional<platform::PlistDict>& prefs,
                               const SettingVisitor& visit) {
  for (std::size_t index : kStaticInitialisationOrder)
    storeSetting(settings, kSettingsTable[index], prefs, visit);
}

Preferences::Preferences(const platform::Process& process) : path_(process.resolvePath(kPreferencesPath)) {}

void Preferences::refreshPrefs(Settings& settings) {
  // The old dictionary goes first, so that a failed read leaves nothing behind to look keys up in.
  prefs_.reset();
  prefs_ = platform::readPlistDictionary(path_);
  loadSettings(settings, prefs_);
}

void Preferences::applyStaticInitialisation(Settings& settings, const SettingVisitor& visit) const {
  tarvo::applyStaticInitialisation(settings, prefs_, visit);
}

void settingsChanged(Preferences& preferences, Settings& settings) {
  preferences.refreshPrefs(settings);
}

platform::CFNotificationCallback makeSettingsChangedCallback(Preferences& preferences, Settings& settings) {
  return [&preferences, &settings](platform::CFNotificationCenterRef, void*, std::string_view, const void*,
                                   const platform::PlistDict*) { settingsChanged(preferences, settings); };
}

}  // namespace tarvo
