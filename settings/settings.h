#pragma once
// The settings values the HUD reads, and the table that ties each one to its key in the settings file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/foundation/plist_value.h"

namespace tarvo {

// One variable per key, under the names the rest of the system uses. Everything is zero until the first
// load; the loader then fills every member from the file or from its default.
struct Settings {
  bool ENABLED = false;
  bool DYNCOLORS = false;
  bool VOLUMEPERCENTAGE = false;
  bool BLUR = false;
  bool MEDIAINDICATOR = false;
  bool RINGERINDICATOR = false;
  bool SINGLEINDICATOR = false;
  bool OVERLAYBACKGROUND = false;
  bool DROPDSHADOW = false;
  bool SBHIDETIME = false;
  bool SBHIDELEFT = false;
  bool SBHIDERIGHT = false;
  bool SBHIDEALL = false;
  bool SBHIDETIMEX = false;
  bool SBHIDERIGHTX = false;
  bool FULLWIDTH = false;
  std::int32_t ALIGNMENT = 0;
  bool FROMBOTTOM = false;
  float YPOSITION = 0;
  float YPOSITIONLANDSCAPE = 0;
  float RIGHTLEFTFIXED = 0;
  float RIGHTLEFTFIXEDLANDSCAPE = 0;
  float PADDINGTOPBOTTOM = 0;
  float PADDINGTOPBOTTOMLANDSCAPE = 0;
  float PADDINGRIGHTLEFT = 0;
  float PADDINGRIGHTLEFTLANDSCAPE = 0;
  float HEIGHT = 0;
  float WIDTH = 0;  // the full-width layout overwrites it; the next reload restores it
  float RADIUS = 0;
  bool ANIMATIONFADE = false;
  float DURATIONVOLUMEANIMATION = 0;
  float DURATIONDISPLAY = 0;
  float DURATIONANIMATION = 0;
  bool HAPTIC = false;

  bool operator==(const Settings&) const = default;
};

enum class SettingKind { Switch, Integer, Real };

// What one variable holds: a switch, the alignment or a real.
using SettingValue = std::variant<bool, std::int32_t, float>;

// One row of the table. Exactly one member pointer is set, the one matching `kind`; the default is kept
// as a double because every default (true, 2, 0.25, ...) is exact in one.
struct SettingEntry {
  std::string_view key;
  std::string_view variable;
  SettingKind kind;
  double defaultValue;
  bool Settings::*switchMember = nullptr;
  std::int32_t Settings::*integerMember = nullptr;
  float Settings::*realMember = nullptr;
};

constexpr SettingEntry switchSetting(std::string_view key, std::string_view variable, bool Settings::*member,
                                     bool fallback) {
  return {key, variable, SettingKind::Switch, fallback ? 1.0 : 0.0, member, nullptr, nullptr};
}
constexpr SettingEntry integerSetting(std::string_view key, std::string_view variable,
                                      std::int32_t Settings::*member, std::int32_t fallback) {
  return {key, variable, SettingKind::Integer, static_cast<double>(fallback), nullptr, member, nullptr};
}
constexpr SettingEntry realSetting(std::string_view key, std::string_view variable, float Settings::*member,
                                   double fallback) {
  return {key, variable, SettingKind::Real, fallback, nullptr, nullptr, member};
}

// Every key the loader reads, in the order it reads them.
inline constexpr std::array kSettingsTable{
    switchSetting("isEnabled", "ENABLED", &Settings::ENABLED, true),
    switchSetting("dynamicColors", "DYNCOLORS", &Settings::DYNCOLORS, false),
    switchSetting("volumePercentage", "VOLUMEPERCENTAGE", &Settings::VOLUMEPERCENTAGE, false),
    switchSetting("blurBackground", "BLUR", &Settings::BLUR, false),
    switchSetting("mediaIndicator", "MEDIAINDICATOR", &Settings::MEDIAINDICATOR, true),
    switchSetting("ringerIndicator", "RINGERINDICATOR", &Settings::RINGERINDICATOR, true),
    switchSetting("singleIndicator", "SINGLEINDICATOR", &Settings::SINGLEINDICATOR, true),
    switchSetting("overlayBackground", "OVERLAYBACKGROUND", &Settings::OVERLAYBACKGROUND, true),
    switchSetting("dropShadow", "DROPDSHADOW", &Settings::DROPDSHADOW, true),
    switchSetting("statusBarHideTime", "SBHIDETIME", &Settings::SBHIDETIME, false),
    switchSetting("statusBarHideLeft", "SBHIDELEFT", &Settings::SBHIDELEFT, false),
    switchSetting("statusBarHideRight", "SBHIDERIGHT", &Settings::SBHIDERIGHT, false),
    switchSetting("statusBarHideAll", "SBHIDEALL", &Settings::SBHIDEALL, false),
    switchSetting("statusBarHideTimeX", "SBHIDETIMEX", &Settings::SBHIDETIMEX, false),
    switchSetting("statusBarHideRightX", "SBHIDERIGHTX", &Settings::SBHIDERIGHTX, false),
    switchSetting("fullWidth", "FULLWIDTH", &Settings::FULLWIDTH, false),
    integerSetting("alignment", "ALIGNMENT", &Settings::ALIGNMENT, 2),
    switchSetting("fromBottom", "FROMBOTTOM", &Settings::FROMBOTTOM, false),
    realSetting("yPosition", "YPOSITION", &Settings::YPOSITION, 10.0),
    realSetting("yPositionLandscape", "YPOSITIONLANDSCAPE", &Settings::YPOSITIONLANDSCAPE, 10.0),
    realSetting("rightLeftFixed", "RIGHTLEFTFIXED", &Settings::RIGHTLEFTFIXED, 10.0),
    realSetting("rightLeftFixedLandscape", "RIGHTLEFTFIXEDLANDSCAPE", &Settings::RIGHTLEFTFIXEDLANDSCAPE,
                10.0),
    realSetting("paddingTopBottom", "PADDINGTOPBOTTOM", &Settings::PADDINGTOPBOTTOM, 12.0),
    realSetting("paddingTopBottomLandscape", "PADDINGTOPBOTTOMLANDSCAPE",
                &Settings::PADDINGTOPBOTTOMLANDSCAPE, 12.0),
    realSetting("paddingRightLeft", "PADDINGRIGHTLEFT", &Settings::PADDINGRIGHTLEFT, 10.0),
    realSetting("paddingRightLeftLandscape", "PADDINGRIGHTLEFTLANDSCAPE",
                &Settings::PADDINGRIGHTLEFTLANDSCAPE, 10.0),
    realSetting("sliderHeight", "HEIGHT", &Settings::HEIGHT, 4.0),
    realSetting("sliderWidth", "WIDTH", &Settings::WIDTH, 80.0),
    realSetting("overlayCornerRadius", "RADIUS", &Settings::RADIUS, 5.0),
    switchSetting("animationFade", "ANIMATIONFADE", &Settings::ANIMATIONFADE, true),
    realSetting("durationVolumeAnimation", "DURATIONVOLUMEANIMATION", &Settings::DURATIONVOLUMEANIMATION,
                0.25),
    realSetting("durationDisplay", "DURATIONDISPLAY", &Settings::DURATIONDISPLAY, 1.5),
    realSetting("durationAnimation", "DURATIONANIMATION", &Settings::DURATIONANIMATION, 0.25),
    switchSetting("hapticEnabled", "HAPTIC", &Settings::HAPTIC, false),
};

// The row for a key, or nullptr when the key is not one the loader reads.
const SettingEntry* findSetting(std::string_view key);

SettingValue settingDefault(const SettingEntry& entry);
SettingValue readSetting(const Settings& settings, const SettingEntry& entry);
// Stores a value of the entry's own kind; a value of another kind is converted as the loader would.
void writeSetting(Settings& settings, const SettingEntry& entry, const SettingValue& value);

// The file's value converted for the entry; nothing when the value is absent or not a number, which is
// how the loader tells "take the default".
std::optional<SettingValue> convertSetting(const SettingEntry& entry, const platform::PlistValue* value);

// What the loader stores for one entry: the converted file value when there is one, else the default.
// A missing file (nothing) makes every look-up find nothing.
SettingValue resolveSetting(const SettingEntry& entry, const std::optional<platform::PlistDict>& prefs);
void loadSetting(Settings& settings, const SettingEntry& entry,
                 const std::optional<platform::PlistDict>& prefs);

// Why a variable holds what it holds, for people previewing a settings file.
enum class SettingSource {
  Default,    // no file, or no value under the key
  File,       // a number of the variable's own kind, taken as it is
  Converted,  // a number of another kind (or out of range), converted
  WrongKind,  // a string, array, dictionary, date or data: read as absent, so the default
};

struct SettingExplanation {
  const SettingEntry* entry;
  SettingValue value;
  SettingSource source;
  std::string_view fileKind;  // "boolean", "integer", "real", "string", ...; empty when absent
};

SettingExplanation explainSetting(const SettingEntry& entry, const std::optional<platform::PlistDict>& prefs);
// One explanation per row of the table, in the table's order.
std::vector<SettingExplanation> explainSettings(const std::optional<platform::PlistDict>& prefs);

std::string_view settingSourceName(SettingSource source);
std::string_view plistKindName(const platform::PlistValue& value);
// "true", "2", "10" or "0.25": the value as a person would write it in the file.
std::string formatSettingValue(const SettingValue& value);

// Every variable under its name (ENABLED, ALIGNMENT, ...), in the table's order: the settings part of a
// HUD snapshot in the trace.
platform::PlistDict settingsSnapshot(const Settings& settings);

// --- Colours -----------------------------------------------------------------------------------------
// Colour strings are not loaded into variables: whoever draws reads the file at each use and falls back
// to these when the key is missing.
struct ColorSetting {
  std::string_view key;
  std::string_view fallback;
  std::string_view colors;  // what the colour is used for
};

inline constexpr std::array kColorSettings{
    ColorSetting{"minColor", "#7942D8:1.000000", "the filled part of the slider track"},
    ColorSetting{"maxColor", "#FFFFFF:1.000000", "the empty part of the slider track"},
    ColorSetting{"indicatorColor", "#FFFFFF:1.000000", "the icons and the percentage label"},
    ColorSetting{"overlayColor", "#1E212B:1.000000", "the HUD's background"},
};

const ColorSetting* findColorSetting(std::string_view key);

}  // namespace tarvo
