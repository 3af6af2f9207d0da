#pragma once
// The names `expect` can check on the HUD as it is at the scenario's current time: properties of the
// HUD's views, the three HUD colours, the guard flags, statusColors and every setting.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace sim {

// How an expected value is written and compared.
enum class FieldType {
  Bool,       // true/false
  Real,       // a number, compared within a tolerance
  Rect,       // x y width height
  Point,      // x y
  Colour,     // #RRGGBB or #RRGGBB:alpha
  Text,       // a string
  Glyph,      // one of the six built-in icons, or none
  Alignment,  // left, center, right, justified, natural (or 0 to 4)
  Value,      // any property-list value (settings, statusColors)
};
std::string_view nameOf(FieldType type);

struct SnapshotField {
  // "tarvoHUDSlider.value", "tarvoMinColor", "isHiding", "setting.WIDTH", "statusColors"; for views
  // it is always VIEW.PROPERTY with the view's variable name.
  std::string name;
  FieldType type = FieldType::Real;
  // One entry of statusColors (a key of the dictionary, or an index of an array), when set.
  std::optional<std::string> key;
  bool operator==(const SnapshotField&) const = default;
};

// The field a name denotes, or nothing. "setting.NAME" is accepted for any NAME made of letters, digits
// and underscores: which settings exist is for the runner to say.
std::optional<SnapshotField> snapshotFieldNamed(std::string_view name);

// Why a name is not a field, with the names that would be, for an error message.
std::string unknownFieldMessage(std::string_view name);

// The variable names of the HUD's views, outermost first.
std::span<const std::string_view> hudViewNames();

}  // namespace sim
