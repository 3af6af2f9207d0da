#include "sim/studio/pane_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "settings/settings.h"
#include "sim/lint/settings_lint.h"

namespace sim::studio {

namespace {

nlohmann::json describe(const tarvo::SettingEntry& e) {
  nlohmann::json j{{"key", e.key}, {"variable", e.variable}, {"read", e.read}};
  switch (e.kind) {
    case tarvo::SettingKind::Switch:
      j["control"] = "switch";
      j["default"] = e.defaultValue != 0;
      break;
    case tarvo::SettingKind::Integer: {
      j["control"] = "segmented";
      j["default"] = static_cast<int>(e.defaultValue);
      nlohmann::json options = nlohmann::json::array();
      for (std::size_t value = 0; value < e.valueLabels.size(); ++value)
        options.push_back({{"value", value}, {"label", e.valueLabels[value]}});
      j["options"] = options;
      break;
    }
    case tarvo::SettingKind::Real:
      j["control"] = "number";
      j["default"] = e.defaultValue;
      j["min"] = e.range.min;
      j["max"] = e.range.max;
      j["step"] = e.range.step;
      j["unit"] = e.range.unit;
      break;
  }
  return j;
}

}  // namespace

nlohmann::json paneLayout() {
  nlohmann::json groups = nlohmann::json::array();
  for (const auto& [topic, title] : tarvo::kSettingTopics) {
    nlohmann::json keys = nlohmann::json::array();
    for (const auto& e : tarvo::kSettingsTable)
      if (e.topic == topic) keys.push_back(describe(e));
    for (const auto& c : tarvo::kColorSettings)
      if (c.topic == topic)
        keys.push_back({{"key", c.key}, {"control", "colour"}, {"default", c.fallback}, {"about", c.colors},
                        {"read", true}});
    groups.push_back({{"title", title}, {"keys", keys}});
  }
  return groups;
}

nlohmann::json colourVerdicts(const std::optional<platform::PlistDict>& prefs) {
  nlohmann::json verdicts = nlohmann::json::object();
  for (const auto& c : tarvo::kColorSettings) {
    const ColourVerdict v = colourVerdict(prefs, c);
    auto byte = [](double component) { return static_cast<int>(std::lround(std::clamp(component, 0.0, 1.0) * 255)); };
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", byte(v.drawn.red()), byte(v.drawn.green()), byte(v.drawn.blue()));
    verdicts[std::string(c.key)] = {{"text", v.text}, {"hex", hex}, {"alpha", v.drawn.alpha()},
                                    {"source", colourSourceName(v.source)}};
  }
  return verdicts;
}

}  // namespace sim::studio
