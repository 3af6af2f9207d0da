#include "sim/scenario/snapshot_fields.h"

#include <array>

namespace sim {

namespace {

struct Property {
  std::string_view name;
  FieldType type;
};

// Every view answers these.
constexpr std::array<Property, 5> kViewProperties{{
    {"frame", FieldType::Rect},
    {"bounds", FieldType::Rect},
    {"center", FieldType::Point},
    {"alpha", FieldType::Real},
    {"hidden", FieldType::Bool},
}};

struct ViewFields {
  std::string_view view;
  std::array<Property, 5> extra;  // unused slots have an empty name
};

constexpr std::array<std::string_view, 9> kViewNames{
    "tarvoHUDWindow",          "tarvoHUDView",         "tarvoBlurEffectView",
    "tarvoVibrancyEffectView", "tarvoHUDLabel",        "tarvoHUDSliderView",
    "tarvoHUDSlider",          "tarvoHUDMinImageView", "tarvoHUDMaxImageView"};

constexpr std::array<ViewFields, 9> kViews{{
    {"tarvoHUDWindow", {{{"rotation", FieldType::Real}, {"shadowOpacity", FieldType::Real}}}},
    {"tarvoHUDView", {{{"backgroundColor", FieldType::Colour}, {"cornerRadius", FieldType::Real}}}},
    {"tarvoBlurEffectView", {}},
    {"tarvoVibrancyEffectView", {}},
    {"tarvoHUDLabel",
     {{{"text", FieldType::Text},
       {"textAlignment", FieldType::Alignment},
       {"textColor", FieldType::Colour}}}},
    {"tarvoHUDSliderView", {}},
    {"tarvoHUDSlider",
     {{{"value", FieldType::Real},
       {"minimumValue", FieldType::Real},
       {"maximumValue", FieldType::Real},
       {"minimumTrackColor", FieldType::Colour},
       {"maximumTrackColor", FieldType::Colour}}}},
    {"tarvoHUDMinImageView",
     {{{"glyph", FieldType::Glyph}, {"mirrored", FieldType::Bool}, {"tintColor", FieldType::Colour}}}},
    {"tarvoHUDMaxImageView",
     {{{"glyph", FieldType::Glyph}, {"mirrored", FieldType::Bool}, {"tintColor", FieldType::Colour}}}},
}};

constexpr std::array<Property, 9> kGlobals{{
    {"tarvoMinColor", FieldType::Colour},
    {"tarvoMaxColor", FieldType::Colour},
    {"tarvoIndicatorColor", FieldType::Colour},
    {"isHiding", FieldType::Bool},
    {"hidingStatusBarItems", FieldType::Bool},
    {"showingStatusBarItems", FieldType::Bool},
    {"isIPhoneX", FieldType::Bool},
    {"isForceSplit", FieldType::Bool},
    {"statusColors", FieldType::Value},
}};

constexpr std::string_view kSettingPrefix = "setting.";

bool isSettingName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
      return false;
  return true;
}

const ViewFields* viewNamed(std::string_view view) {
  for (const ViewFields& v : kViews)
    if (v.view == view) return &v;
  return nullptr;
}

std::string propertiesOf(const ViewFields& view) {
  std::string list;
  for (const Property& p : kViewProperties) list += (list.empty() ? "" : ", ") + std::string(p.name);
  for (const Property& p : view.extra)
    if (!p.name.empty()) list += ", " + std::string(p.name);
  return list;
}

}  // namespace

std::string_view nameOf(FieldType type) {
  switch (type) {
    case FieldType::Bool:
      return "true or false";
    case FieldType::Real:
      return "a number";
    case FieldType::Rect:
      return "a rectangle (x y width height)";
    case FieldType::Point:
      return "a point (x y)";
    case FieldType::Colour:
      return "a colour (#RRGGBB or #RRGGBB:alpha)";
    case FieldType::Text:
      return "a string";
    case FieldType::Glyph:
      return "a glyph (ringerMin, ringerMed, ringerMax, mediaMin, mediaMed, mediaMax or none)";
    case FieldType::Alignment:
      return "an alignment (left, center, right, justified or natural)";
    case FieldType::Value:
      return "a value";
  }
  return "a value";
}

std::optional<SnapshotField> snapshotFieldNamed(std::string_view name) {
  if (name.starts_with(kSettingPrefix)) {
    if (!isSettingName(name.substr(kSettingPrefix.size()))) return std::nullopt;
    return SnapshotField{std::string(name), FieldType::Value, std::nullopt};
  }
  for (const Property& global : kGlobals)
    if (global.name == name) return SnapshotField{std::string(name), global.type, std::nullopt};
  std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const ViewFields* view = viewNamed(name.substr(0, dot));
  if (!view) return std::nullopt;
  std::string_view property = name.substr(dot + 1);
  for (const Property& p : kViewProperties)
    if (p.name == property) return SnapshotField{std::string(name), p.type, std::nullopt};
  for (const Property& p : view->extra)
    if (!p.name.empty() && p.name == property) return SnapshotField{std::string(name), p.type, std::nullopt};
  return std::nullopt;
}

std::string unknownFieldMessage(std::string_view name) {
  std::string quotedName = "'" + std::string(name) + "'";
  if (name.starts_with(kSettingPrefix))
    return quotedName + " is not a setting name (letters, digits and underscores after 'setting.')";
  std::size_t dot = name.find('.');
  if (dot != std::string_view::npos) {
    if (const ViewFields* view = viewNamed(name.substr(0, dot)))
      return "unknown field " + quotedName + ": " + std::string(view->view) + " has " + propertiesOf(*view);
  }
  std::string views;
  for (std::string_view v : kViewNames) views += (views.empty() ? "" : ", ") + std::string(v);
  std::string globals;
  for (const Property& g : kGlobals) globals += ", " + std::string(g.name);
  return "unknown field " + quotedName + " (fields are VIEW.PROPERTY for the views " + views +
         "; setting.NAME" + globals + ")";
}

std::span<const std::string_view> hudViewNames() {
  return kViewNames;
}

}  // namespace sim
