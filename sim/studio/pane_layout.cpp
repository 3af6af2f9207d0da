#include "sim/studio/pane_layout.h"

#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace sim::studio {

namespace {

enum Group { OnOff, Look, Position, StatusBar, Timing, kGroupCount };

constexpr std::array<std::string_view, kGroupCount> kGroupTitles{
    "On/off and indicators", "Look", "Position and size", "Status bar", "Timing and feel"};

bool contains(std::string_view key, std::string_view part) { return key.find(part) != std::string_view::npos; }

// Groups follow from what a key is about, read off its name; a key no rule knows lands in the first
// group, so none can go missing from the pane.
Group groupOf(std::string_view key) {
  if (key.starts_with("statusBarHide")) return StatusBar;
  if (key.starts_with("duration") || key == "animationFade" || key.starts_with("haptic")) return Timing;
  if (contains(key, "osition") || contains(key, "padding") || contains(key, "RightLeft") ||
      contains(key, "rightLeft") || key.starts_with("slider") || key == "alignment" || key == "fullWidth" ||
      key == "fromBottom")
    return Position;
  if (contains(key, "olor") || contains(key, "Colors") || contains(key, "blur") || contains(key, "overlay") ||
      contains(key, "Shadow") || contains(key, "Percentage"))
    return Look;
  return OnOff;
}

struct Range {
  double min, max, step;
  std::string_view unit;
};

// Where a slider for a real starts and ends; a typed value may still go beyond it.
Range rangeOf(std::string_view key) {
  if (key.starts_with("duration")) return {0, 5, 0.05, "s"};
  if (key == "sliderHeight") return {0, 40, 0.5, "pt"};
  if (key == "sliderWidth") return {0, 420, 1, "pt"};
  if (contains(key, "Radius")) return {0, 40, 0.5, "pt"};
  return {0, 200, 1, "pt"};
}

nlohmann::json describe(const tarvo::SettingEntry& e) {
  nlohmann::json j{{"key", e.key}, {"variable", e.variable}};
  switch (e.kind) {
    case tarvo::SettingKind::Switch:
      j["control"] = "switch";
      j["default"] = e.defaultValue != 0;
      break;
    case tarvo::SettingKind::Integer:
      j["control"] = "segmented";
      j["default"] = static_cast<int>(e.defaultValue);
      j["options"] = nlohmann::json::array({{{"value", 0}, {"label", "Left"}},
                                            {{"value", 1}, {"label", "Centre"}},
                                            {{"value", 2}, {"label", "Right"}}});
      break;
    case tarvo::SettingKind::Real: {
      Range r = rangeOf(e.key);
      j["control"] = "number";
      j["default"] = e.defaultValue;
      j["min"] = r.min;
      j["max"] = r.max;
      j["step"] = r.step;
      j["unit"] = r.unit;
      break;
    }
  }
  return j;
}

}  // namespace

nlohmann::json paneLayout() {
  std::array<nlohmann::json, kGroupCount> keys;
  for (auto& k : keys) k = nlohmann::json::array();
  for (const auto& e : tarvo::kSettingsTable) keys[groupOf(e.key)].push_back(describe(e));
  for (const auto& c : tarvo::kColorSettings)
    keys[groupOf(c.key)].push_back({{"key", c.key}, {"control", "colour"}, {"default", c.fallback}, {"about", c.colors}});
  nlohmann::json groups = nlohmann::json::array();
  for (std::size_t g = 0; g < kGroupCount; ++g)
    groups.push_back({{"title", kGroupTitles[g]}, {"keys", keys[g]}});
  return groups;
}

}  // namespace sim::studio
