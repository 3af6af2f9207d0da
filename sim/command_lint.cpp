#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/foundation/plist_file.h"
#include "platform/graphics/color_string.h"
#include "settings/settings.h"
#include "sim/commands.h"

namespace sim {

namespace {

using tarvo::SettingSource;

std::string article(std::string_view word) {
  return !word.empty() && std::string_view("aeiou").find(word.front()) != std::string_view::npos ? "an" : "a";
}

// Values the system takes as they come but that will not look right.
void lookBroken(const tarvo::Settings& s, std::vector<std::string>& warnings) {
  auto warn = [&](std::string text) { warnings.push_back(std::move(text)); };
  auto bad = [](float v) { return !std::isfinite(v); };
  if (s.WIDTH < 8 && !s.FULLWIDTH) warn("sliderWidth below 8: the slider has no room (its width goes negative)");
  if (!(s.HEIGHT > 0)) warn("sliderHeight is not above 0: no track is drawn");
  for (auto [key, value] : {std::pair{"durationDisplay", s.DURATIONDISPLAY},
                            std::pair{"durationAnimation", s.DURATIONANIMATION},
                            std::pair{"durationVolumeAnimation", s.DURATIONVOLUMEANIMATION}}) {
    if (bad(value)) warn(std::string(key) + " is not a finite number");
    else if (value < 0) warn(std::string(key) + " is negative: it counts as no time at all");
  }
  if (s.DURATIONDISPLAY + s.DURATIONANIMATION <= 0)
    warn("durationDisplay + durationAnimation is not above 0: the HUD hides almost at once");
  for (auto [key, value] : {std::pair{"yPosition", s.YPOSITION}, std::pair{"yPositionLandscape", s.YPOSITIONLANDSCAPE},
                            std::pair{"rightLeftFixed", s.RIGHTLEFTFIXED},
                            std::pair{"rightLeftFixedLandscape", s.RIGHTLEFTFIXEDLANDSCAPE},
                            std::pair{"paddingTopBottom", s.PADDINGTOPBOTTOM},
                            std::pair{"paddingRightLeft", s.PADDINGRIGHTLEFT},
                            std::pair{"overlayCornerRadius", s.RADIUS}, std::pair{"sliderWidth", s.WIDTH},
                            std::pair{"sliderHeight", s.HEIGHT}}) {
    if (bad(value)) warn(std::string(key) + " is not a finite number");
    else if (value < 0) warn(std::string(key) + " is negative");
    else if (value > 2000) warn(std::string(key) + " is larger than any screen");
  }
  if (s.ALIGNMENT < 0 || s.ALIGNMENT > 2)
    warn("alignment " + std::to_string(s.ALIGNMENT) + " is not 0, 1 or 2: the HUD is centred");
}

}  // namespace

int runLint(const std::filesystem::path& path, std::ostream& out, std::ostream& err) {
  if (!std::filesystem::exists(path)) {
    err << "tarvo12-sim: no settings file " << path.string() << "\n";
    return 2;
  }
  std::vector<std::string> warnings;
  auto prefs = platform::readPlistDictionary(path);
  if (!prefs) warnings.push_back("not a property list with a dictionary at the top: every setting takes its default");

  out << "settings file " << path.string() << "\n\n";
  tarvo::Settings used;
  for (const auto& e : tarvo::explainSettings(prefs)) {
    tarvo::writeSetting(used, *e.entry, e.value);
    char line[160];
    std::snprintf(line, sizeof line, "  %-26s %-26s %-10s %s", std::string(e.entry->key).c_str(),
                  std::string(e.entry->variable).c_str(), tarvo::formatSettingValue(e.value).c_str(),
                  std::string(tarvo::settingSourceName(e.source)).c_str());
    out << line;
    if (e.source == SettingSource::WrongKind) {
      out << " (" << article(e.fileKind) << " " << e.fileKind << ")";
      warnings.push_back(std::string(e.entry->key) + " holds " + article(e.fileKind) + " " + std::string(e.fileKind) +
                         ", not a number: the default is used");
    } else if (e.source == SettingSource::Converted) {
      out << " (from " << article(e.fileKind) << " " << e.fileKind << ")";
    }
    out << "\n";
  }

  out << "\n  colours\n";
  for (const auto& c : tarvo::kColorSettings) {
    const platform::PlistValue* value = prefs ? prefs->find(c.key) : nullptr;
    std::string shown = std::string(c.fallback) + " (default)";
    if (value && !value->asString()) {
      warnings.push_back(std::string(c.key) + " is not a string: the default " + std::string(c.fallback) + " is used");
    } else if (value) {
      shown = *value->asString();
      if (!platform::parseColorString(shown)) {
        warnings.push_back(std::string(c.key) + " \"" + shown + "\" is not a colour string: it draws as opaque black");
        shown += " (malformed: opaque black)";
      }
    }
    char line[200];
    std::snprintf(line, sizeof line, "  %-26s %s", std::string(c.key).c_str(), shown.c_str());
    out << line << "\n";
  }

  if (prefs) {
    for (const auto& [key, value] : *prefs)
      if (!tarvo::findSetting(key) && !tarvo::findColorSetting(key))
        warnings.push_back("unknown key \"" + key + "\": the system never reads it");
  }
  lookBroken(used, warnings);

  out << "\n";
  if (warnings.empty()) {
    out << "no warnings\n";
    return 0;
  }
  for (const auto& w : warnings) out << "warning: " << w << "\n";
  return 1;
}

}  // namespace sim
