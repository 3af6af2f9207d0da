#pragma once
// Loading the settings file into the settings values: at load time and whenever the pane says it changed.
#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "platform/device/distributed_center.h"
#include "platform/foundation/plist_value.h"
#include "settings/settings.h"
#include "shared/protocol.h"

namespace platform {
class Process;
}

namespace tarvo {

// A phone path; resolve it through the process. The system only ever reads this file.
inline constexpr std::string_view kPreferencesPath = "/var/mobile/Library/Preferences/velkarin.tarvo12.plist";
// Posted by the settings pane after it wrote the file (the name is the protocol's).
inline constexpr std::string_view kPreferencesChangedNotification = protocol::kPrefsChanged;

namespace detail {
constexpr std::size_t settingIndex(std::string_view key) {
  for (std::size_t i = 0; i < kSettingsTable.size(); ++i)
    if (kSettingsTable[i].key == key) return i;
  return kSettingsTable.size();
}

// The table's order, except that the blur and percentage switches are read right after the shadow one.
constexpr std::array<std::size_t, kSettingsTable.size()> makeStaticInitialisationOrder() {
  constexpr std::size_t blur = settingIndex("blurBackground");
  constexpr std::size_t percentage = settingIndex("volumePercentage");
  constexpr std::size_t shadow = settingIndex("dropShadow");
  std::array<std::size_t, kSettingsTable.size()> order{};
  std::size_t next = 0;
  for (std::size_t i = 0; i < kSettingsTable.size(); ++i) {
    if (i == blur || i == percentage) continue;
    order[next++] = i;
    if (i == shadow) {
      order[next++] = blur;
      order[next++] = percentage;
    }
  }
  return order;
}
}  // namespace detail

// Indices into kSettingsTable, in the order the load-time initialisation reads them.
inline constexpr std::array<std::size_t, kSettingsTable.size()> kStaticInitialisationOrder =
    detail::makeStaticInitialisationOrder();

// Called with each row just before its variable is stored; lets a caller watch the order.
using SettingVisitor = std::function<void(const SettingEntry&)>;

// Every variable from `prefs` (or its default), in the table's order.
void loadSettings(Settings& settings, const std::optional<platform::PlistDict>& prefs,
                  const SettingVisitor& visit = {});

// The load-time initialisation: every variable once more from the same dictionary, with the same keys,
// conversions and defaults, in kStaticInitialisationOrder, so it yields the values the first load did.
// The caller makes its per-app colour cache and sets the icon size right after this.
void applyStaticInitialisation(Settings& settings, const std::optional<platform::PlistDict>& prefs,
                               const SettingVisitor& visit = {});

// The dictionary read by the last reload, and the reload itself.
class Preferences {
 public:
  explicit Preferences(const platform::Process& process);

  // Drops the dictionary, reads the file afresh (nothing when it is missing, unreadable or not a
  // dictionary) and stores every variable of the table from it or from its default. Touches no view.
  void refreshPrefs(Settings& settings);
  void applyStaticInitialisation(Settings& settings, const SettingVisitor& visit = {}) const;

  const std::optional<platform::PlistDict>& prefs() const { return prefs_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::optional<platform::PlistDict> prefs_;
};

// The settings-changed handler: whatever it is called with, it reloads.
void settingsChanged(Preferences& preferences, Settings& settings);

// The handler in the distributed centre's callback form, for kPreferencesChangedNotification. Both
// references must live as long as the registration, which the library owning them guarantees.
platform::CFNotificationCallback makeSettingsChangedCallback(Preferences& preferences, Settings& settings);

}  // namespace tarvo
