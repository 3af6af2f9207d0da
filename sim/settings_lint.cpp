#include "sim/settings_lint.h"

#include <cmath>
#include <utility>

#include "platform/graphics/color_string.h"
#include "settings/settings.h"
#include "sim/lint/geometry_warnings.h"

namespace sim {

namespace {

// Values the system takes as they come but that will not look right.
void lookBroken(const tarvo::Settings& s, std::vector<LintWarning>& warnings) {
  auto warn = [&](std::string key, std::string text) { warnings.push_back({std::move(key), std::move(text)}); };
  auto bad = [](float v) { return !std::isfinite(v); };
  if (s.WIDTH < 8 && !s.FULLWIDTH)
    warn("sliderWidth", "sliderWidth below 8: the slider has no room (its width goes negative)");
  if (!(s.HEIGHT > 0)) warn("sliderHeight", "sliderHeight is not above 0: no track is drawn");
  for (auto [key, value] : {std::pair{"durationDisplay", s.DURATIONDISPLAY},
                            std::pair{"durationAnimation", s.DURATIONANIMATION},
                            std::pair{"durationVolumeAnimation", s.DURATIONVOLUMEANIMATION}}) {
    if (bad(value)) warn(key, std::string(key) + " is not a finite number");
    else if (value < 0) warn(key, std::string(key) + " is negative: it counts as no time at all");
  }
  if (s.DURATIONDISPLAY + s.DURATIONANIMATION <= 0)
    warn("durationDisplay", "durationDisplay + durationAnimation is not above 0: the HUD hides almost at once");
  for (auto [key, value] : {std::pair{"yPosition", s.YPOSITION}, std::pair{"yPositionLandscape", s.YPOSITIONLANDSCAPE},
                            std::pair{"rightLeftFixed", s.RIGHTLEFTFIXED},
                            std::pair{"rightLeftFixedLandscape", s.RIGHTLEFTFIXEDLANDSCAPE},
                            std::pair{"paddingTopBottom", s.PADDINGTOPBOTTOM},
                            std::pair{"paddingRightLeft", s.PADDINGRIGHTLEFT},
                            std::pair{"overlayCornerRadius", s.RADIUS}, std::pair{"sliderWidth", s.WIDTH},
                            std::pair{"sliderHeight", s.HEIGHT}}) {
    if (bad(value)) warn(key, std::string(key) + " is not a finite number");
    else if (value < 0) warn(key, std::string(key) + " is negative");
    else if (value > 2000) warn(key, std::string(key) + " is larger than any screen");
  }
  if (s.ALIGNMENT < 0 || s.ALIGNMENT > 2)
    warn("alignment", "alignment " + std::to_string(s.ALIGNMENT) + " is not 0, 1 or 2: the HUD is centred");
}

}  // namespace

std::vector<LintWarning> lintSettings(const std::optional<platform::PlistDict>& prefs, const DeviceModel* model) {
  std::vector<LintWarning> warnings;
  if (!prefs)
    warnings.push_back({"", "not a property list with a dictionary at the top: every setting takes its default"});

  tarvo::Settings used;
  for (const auto& e : tarvo::explainSettings(prefs)) {
    tarvo::writeSetting(used, *e.entry, e.value);
    if (e.source == tarvo::SettingSource::WrongKind)
      warnings.push_back({std::string(e.entry->key), std::string(e.entry->key) + " holds " + indefiniteArticle(e.fileKind) +
                                                         " " + std::string(e.fileKind) +
                                                         ", not a number: the default is used"});
  }

  for (const auto& c : tarvo::kColorSettings) {
    const platform::PlistValue* value = prefs ? prefs->find(c.key) : nullptr;
    if (!value) continue;
    std::string key(c.key);
    if (!value->asString())
      warnings.push_back({key, key + " is not a string: the default " + std::string(c.fallback) + " is used"});
    else if (!platform::parseColorString(*value->asString()))
      warnings.push_back({key, key + " \"" + *value->asString() + "\" is not a colour string: it draws as opaque black"});
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

std::string describeColorSetting(const std::optional<platform::PlistDict>& prefs, std::string_view key) {
  const tarvo::ColorSetting* setting = tarvo::findColorSetting(key);
  std::string fallback = setting ? std::string(setting->fallback) : std::string();
  const platform::PlistValue* value = prefs ? prefs->find(key) : nullptr;
  if (!value || !value->asString()) return fallback + " (default)";
  if (!platform::parseColorString(*value->asString())) return *value->asString() + " (malformed: opaque black)";
  return *value->asString();
}

}  // namespace sim
