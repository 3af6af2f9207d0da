#pragma once
// What the system will make of a settings file, as warnings a person can act on. `lint` prints them; the
// studio shows each one next to the key it concerns.
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/plist_value.h"
#include "sim/scenario/device_models.h"

namespace sim {

struct LintWarning {
  std::string key;  // the settings key it concerns; empty when it concerns the whole file
  std::string text;
  std::vector<std::string> alsoKeys = {};  // further keys it concerns (where the HUD sits depends on several)
};

// `prefs` is the file's top-level dictionary, or nothing when the file is not one. The HUD's geometry is
// checked on every model, or only on `model`.
std::vector<LintWarning> lintSettings(const std::optional<platform::PlistDict>& prefs,
                                      const DeviceModel* model = nullptr);

// How a colour key's value reads: its string, or the fallback with a note.
std::string describeColorSetting(const std::optional<platform::PlistDict>& prefs, std::string_view key);

// "a" or "an" before a word ("an integer", "a string").
std::string indefiniteArticle(std::string_view word);

}  // namespace sim
