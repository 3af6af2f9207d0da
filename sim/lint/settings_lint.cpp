#include "sim/lint/settings_lint.h"

#include <cmath>
#include <utility>

#include "platform/graphics/color_string.h"
#include "settings/settings.h"
#include "sim/lint/geometry_warnings.h"

namespace sim {

namespace {

// Values the system takes as they come but that will not look right. The checks every length, duration or
// numbered value shares follow from the table; the rest are about one key's meaning.
void lookBroken(const tarvo::Settings& s, std::vector<LintWarning>& warnings) {
  auto warn = [&](std::string_view key, std::string text) { warnings.push_back({std::string(key), std::move(text)}); };
  for (const auto& e : tarvo::kSettingsTable) {
    if (!e.read) continue;
    const std::string key(e.key);
    if (e.kind == tarvo::SettingKind::Real) {
      const float value = s.*e.realMember;
      const bool duration = e.range.unit == tarvo::kDuration.unit;
      if (!std::isfinite(value)) warn(key, key + " is not a finite number");
      else if (value < 0) warn(key, key + (duration ? " is negative: it counts as no time at all" : " is negative"));
      else if (!duration && value > 2000) warn(key, key + " is larger than any screen");
    } else if (e.kind == tarvo::SettingKind::Integer && !e.valueLabels.empty()) {
      const std::int32_t value = s.*e.integerMember;
      if (value < 0 || static_cast<std::size_t>(value) >= e.valueLabels.size()) {
        std::string known;
        for (std::size_t v = 0; v < e.valueLabels.size(); ++v)
          known += (v == 0 ? "" : v + 1 == e.valueLabels.size() ? " or " : ", ") + std::to_string(v);
        // The alignment is the one numbered value; any other number centres the HUD.
        warn(key, key + " " + std::to_string(value) + " is not " + known + ": the HUD is centred");
      }
    }
  }
  if (s.WIDTH < 8 && !s.FULLWIDTH)
    warn("sliderWidth", "sliderWidth below 8: the slider has no room (its width goes negative)");
  if (!(s.HEIGHT > 0)) warn("sliderHeight", "sliderHeight is not above 0: no track is drawn");
  if (s.DURATIONDISPLAY + s.DURATIONANIMATION <= 0)
    warn("durationDisplay", "durationDisplay + durationAnimation is not above 0: the HUD hides almost at once");
}

}  // namespace

std::vector<LintWarning> lintSettings(const std::optional<platform::PlistDict>& prefs, const DeviceModel* model) {
  std::vector<LintWarning> warnings;
  if (!prefs)
    warnings.push_back({"", "not a property list with a dictionary at the top: every setting takes its default"});

  tarvo::Settings used;
  for (const auto& e : tarvo::explainSettings(prefs)) {
    tarvo::writeSetting(used, *e.entry, e.value);
    if (!e.entry->read && e.source != tarvo::SettingSource::Default)
      warnings.push_back({std::string(e.entry->key),
                          std::string(e.entry->key) + " is read by nothing: setting it changes nothing"});
    if (e.source == tarvo::SettingSource::WrongKind)
      warnings.push_back({std::string(e.entry->key), std::string(e.entry->key) + " holds " + indefiniteArticle(e.fileKind) +
                                                         " " + std::string(e.fileKind) +
                                                         ", not a number: the default is used"});
  }

  for (const auto& c : tarvo::kColorSettings) {
    const ColourVerdict verdict = colourVerdict(prefs, c);
    if (verdict.source == ColourSource::NotAString)
      warnings.push_back({std::string(c.key), std::string(c.key) + " is not a string: the default " +
                                                  std::string(c.fallback) + " is used"});
    else if (verdict.source == ColourSource::Malformed)
      warnings.push_back({std::string(c.key), std::string(c.key) + " \"" + verdict.text +
                                                  "\" is not a colour string: it draws as opaque black"});
  }

  if (prefs) {
    for (const auto& [key, value] : *prefs)
      if (!tarvo::findSetting(key) && !tarvo::findColorSetting(key))
        warnings.push_back({key, "unknown key \"" + key + "\": the system never reads it"});
  }
  lookBroken(used, warnings);
  for (auto& w : geometryWarnings(used, model)) warnings.push_back(std::move(w));
  return warnings;
}

std::string indefiniteArticle(std::string_view word) {
  return !word.empty() && std::string_view("aeiou").find(word.front()) != std::string_view::npos ? "an" : "a";
}

ColourVerdict colourVerdict(const std::optional<platform::PlistDict>& prefs, const tarvo::ColorSetting& setting) {
  const platform::PlistValue* value = prefs ? prefs->find(setting.key) : nullptr;
  const std::string* text = value ? value->asString() : nullptr;
  ColourSource source = !value                                  ? ColourSource::Default
                        : !text                                 ? ColourSource::NotAString
                        : platform::parseColorString(*text) ? ColourSource::File
                                                                : ColourSource::Malformed;
  // Exactly what the HUD does: the file's string when it is one, else the fallback, parsed by the system's
  // parser with opaque black behind both.
  std::string shown = text ? *text : std::string(setting.fallback);
  return {source, shown, platform::LCPParseColorString(shown, "#000000")};
}

std::string_view colourSourceName(ColourSource source) {
  switch (source) {
    case ColourSource::Default: return "default";
    case ColourSource::File: return "file";
    case ColourSource::NotAString: return "not a string: the default";
    case ColourSource::Malformed: return "not a colour string: opaque black";
  }
  return "default";
}

std::string describeColorSetting(const std::optional<platform::PlistDict>& prefs, std::string_view key) {
  const tarvo::ColorSetting* setting = tarvo::findColorSetting(key);
  if (!setting) return "";
  const ColourVerdict verdict = colourVerdict(prefs, *setting);
  switch (verdict.source) {
    case ColourSource::File: return verdict.text;
    case ColourSource::Malformed: return verdict.text + " (malformed: opaque black)";
    case ColourSource::Default:
    case ColourSource::NotAString: break;
  }
  return verdict.text + " (default)";
}

}  // namespace sim
