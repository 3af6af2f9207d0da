#pragma once
// What the system will make of a settings file, as warnings a person can act on. `lint` prints them; the
// studio shows each one next to the key it concerns.
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/plist_value.h"
#include "platform/graphics/color.h"
#include "settings/settings.h"
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

// Why a colour key draws what it draws.
enum class ColourSource {
  Default,     // not in the file: the fallback
  File,        // a colour string, drawn as written
  NotAString,  // read as absent: the fallback
  Malformed,   // a string that is not a colour: opaque black
};

struct ColourVerdict {
  ColourSource source;
  std::string text;        // the string the system parses: the file's, or the fallback
  platform::UIColor drawn;  // what the HUD draws for it
};

ColourVerdict colourVerdict(const std::optional<platform::PlistDict>& prefs, const tarvo::ColorSetting& setting);
std::string_view colourSourceName(ColourSource source);

// How a colour key's value reads: its string, or the fallback with a note.
std::string describeColorSetting(const std::optional<platform::PlistDict>& prefs, std::string_view key);

// "a" or "an" before a word ("an integer", "a string").
std::string indefiniteArticle(std::string_view word);

}  // namespace sim
