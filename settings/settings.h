#pragma once
// The settings values the HUD reads, and the table that ties each one to its key in the settings file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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

// What a key is about: the groups a person looks for it in, in the order the settings pane shows them.
enum class SettingTopic { OnOff, Look, Position, StatusBar, Timing };

struct SettingTopicTitle {
  SettingTopic topic;
  std::string_view title;
};
inline constexpr auto kSettingTopics = std::to_array<SettingTopicTitle>({
    {SettingTopic::OnOff, "On/off and indicators"},
    {SettingTopic::Look, "Look"},
    {SettingTopic::Position, "Position and size"},
    {SettingTopic::StatusBar, "Status bar"},
    {SettingTopic::Timing, "Timing and feel"},
});

// A real's usual span, for a slider; nothing stops a file from holding a value beyond it.
struct SettingRange {
  double min = 0;
  double max = 0;
  double step = 0;
  std::string_view unit;  // "pt" for lengths, "s" for durations
};
inline constexpr SettingRange kLength{0, 200, 1, "pt"};
inline constexpr SettingRange kSliderThickness{0, 40, 0.5, "pt"};
inline constexpr SettingRange kSliderLength{0, 420, 1, "pt"};
inline constexpr SettingRange kCornerRadius{0, 40, 0.5, "pt"};
inline constexpr SettingRange kDuration{0, 5, 0.05, "s"};

// The alignment's values 0, 1 and 2 by name; any other value centres the HUD.
inline constexpr std::string_view kAlignmentLabels[] = {"Left", "Centre", "Right"};

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
  SettingTopic topic = SettingTopic::OnOff;
  SettingRange range;                             // reals only
  std::span<const std::string_view> valueLabels;  // integers only: the names of the values 0, 1, ...
  bool read = true;                               // false: the variable is loaded, and nothing uses it

  constexpr SettingEntry readByNothing() const {
    SettingEntry unread = *this;
    unread.read = false;
    return unread;
  }
};

constexpr SettingEntry switchSetting(std::string_view key, std::string_view variable, bool Settings::*member,
                                     bool fallback, SettingTopic topic) {
  return {key, variable, SettingKind::Switch, fallback ? 1.0 : 0.0, member, nullptr, nullptr, topic, {}, {}};
}
constexpr SettingEntry integerSetting(std::string_view key, std::string_view variable,
                                      std::int32_t Settings::*member, std::int32_t fallback, SettingTopic topic,
                                      std::span<const std::string_view> labels) {
  return {key,   variable, SettingKind::Integer, static_cast<double>(fallback), nullptr, member, nullptr,
          topic, {},       labels};
}
constexpr SettingEntry realSetting(std::string_view key, std::string_view variable, float Settings::*member,
                                   double fallback, SettingTopic topic, SettingRange range) {
  return {key, variable, SettingKind::Real, fallback, nullptr, nullptr, member, topic, range, {}};
}

namespace topic {
inline constexpr SettingTopic OnOff = SettingTopic::OnOff, Look = SettingTopic::Look,
                              Position = SettingTopic::Position, StatusBar = SettingTopic::StatusBar,
                              Timing = SettingTopic::Timing;
}

// Every key the loader reads, in the order it reads them.
inline constexpr std::array kSettingsTable{
    switchSetting("isEnabled", "ENABLED", &Settings::ENABLED, true, topic::OnOff),
    switchSetting("dynamicColors", "DYNCOLORS", &Settings::DYNCOLORS, false, topic::Look),
    switchSetting("volumePercentage", "VOLUMEPERCENTAGE", &Settings::VOLUMEPERCENTAGE, false, topic::Look),
    switchSetting("blurBackground", "BLUR", &Settings::BLUR, false, topic::Look),
    switchSetting("mediaIndicator", "MEDIAINDICATOR", &Settings::MEDIAINDICATOR, true, topic::OnOff),
    switchSetting("ringerIndicator", "RINGERINDICATOR", &Settings::RINGERINDICATOR, true, topic::OnOff),
    switchSetting("singleIndicator", "SINGLEINDICATOR", &Settings::SINGLEINDICATOR, true, topic::OnOff),
    switchSetting("overlayBackground", "OVERLAYBACKGROUND", &Settings::OVERLAYBACKGROUND, true, topic::Look),
    switchSetting("dropShadow", "DROPDSHADOW", &Settings::DROPDSHADOW, true, topic::Look),
    switchSetting("statusBarHideTime", "SBHIDETIME", &Settings::SBHIDETIME, false, topic::StatusBar),
    switchSetting("statusBarHideLeft", "SBHIDELEFT", &Settings::SBHIDELEFT, false, topic::StatusBar),
    switchSetting("statusBarHideRight", "SBHIDERIGHT", &Settings::SBHIDERIGHT, false, topic::StatusBar),
    switchSetting("statusBarHideAll", "SBHIDEALL", &Settings::SBHIDEALL, false, topic::StatusBar),
    switchSetting("statusBarHideTimeX", "SBHIDETIMEX", &Settings::SBHIDETIMEX, false, topic::StatusBar),
    switchSetting("statusBarHideRightX", "SBHIDERIGHTX", &Settings::SBHIDERIGHTX, false, topic::StatusBar)
        .readByNothing(),
    switchSetting("fullWidth", "FULLWIDTH", &Settings::FULLWIDTH, false, topic::Position),
    integerSetting("alignment", "ALIGNMENT", &Settings::ALIGNMENT, 2, topic::Position, kAlignmentLabels),
    switchSetting("fromBottom", "FROMBOTTOM", &Settings::FROMBOTTOM, false, topic::Position),
    realSetting("yPosition", "YPOSITION", &Settings::YPOSITION, 10.0, topic::Position, kLength),
    realSetting("yPositionLandscape", "YPOSITIONLANDSCAPE", &Settings::YPOSITIONLANDSCAPE, 10.0, topic::Position,
                kLength),
    realSetting("rightLeftFixed", "RIGHTLEFTFIXED", &Settings::RIGHTLEFTFIXED, 10.0, topic::Position, kLength),
    realSetting("rightLeftFixedLandscape", "RIGHTLEFTFIXEDLANDSCAPE", &Settings::RIGHTLEFTFIXEDLANDSCAPE,
                10.0, topic::Position, kLength),
    realSetting("paddingTopBottom", "PADDINGTOPBOTTOM", &Settings::PADDINGTOPBOTTOM, 12.0, topic::Position,
                kLength),
    realSetting("paddingTopBottomLandscape", "PADDINGTOPBOTTOMLANDSCAPE",
                &Settings::PADDINGTOPBOTTOMLANDSCAPE, 12.0, topic::Position, kLength)
        .readByNothing(),
    realSetting("paddingRightLeft", "PADDINGRIGHTLEFT", &Settings::PADDINGRIGHTLEFT, 10.0, topic::Position,
                kLength),
    realSetting("paddingRightLeftLandscape", "PADDINGRIGHTLEFTLANDSCAPE",
                &Settings::PADDINGRIGHTLEFTLANDSCAPE, 10.0, topic::Position, kLength)
        .readByNothing(),
    realSetting("sliderHeight", "HEIGHT", &Settings::HEIGHT, 4.0, topic::Position, kSliderThickness),
    realSetting("sliderWidth", "WIDTH", &Settings::WIDTH, 80.0, topic::Position, kSliderLength),
    realSetting("overlayCornerRadius", "RADIUS", &Settings::RADIUS, 5.0, topic::Look, kCornerRadius),
    switchSetting("animationFade", "ANIMATIONFADE", &Settings::ANIMATIONFADE, true, topic::Timing),
    realSetting("durationVolumeAnimation", "DURATIONVOLUMEANIMATION", &Settings::DURATIONVOLUMEANIMATION,
                0.25, topic::Timing, kDuration),
    realSetting("durationDisplay", "DURATIONDISPLAY", &Settings::DURATIONDISPLAY, 1.5, topic::Timing,
                kDuration),
    realSetting("durationAnimation", "DURATIONANIMATION", &Settings::DURATIONANIMATION, 0.25, topic::Timing,
                kDuration),
    switchSetting("hapticEnabled", "HAPTIC", &Settings::HAPTIC, false, topic::Timing),
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
  SettingTopic topic = SettingTopic::Look;
};

inline constexpr ColorSetting kMinColor{"minColor", "#7942D8:1.000000", "the filled part of the slider track"};
inline constexpr ColorSetting kMaxColor{"maxColor", "#FFFFFF:1.000000", "the empty part of the slider track"};
inline constexpr ColorSetting kIndicatorColor{"indicatorColor", "#FFFFFF:1.000000",
                                              "the icons and the percentage label"};
inline constexpr ColorSetting kOverlayColor{"overlayColor", "#1E212B:1.000000", "the HUD's background"};
inline constexpr std::array kColorSettings{kMinColor, kMaxColor, kIndicatorColor, kOverlayColor};

const ColorSetting* findColorSetting(std::string_view key);

}  // namespace tarvo
