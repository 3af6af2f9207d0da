#include "sim/scenario/snapshot_fields.h"

#include <array>

namespace sim {

namespace {

using T = FieldType;
using S = FieldSource;

struct Row {
  std::string_view name;
  FieldType type;
  FieldSource source;
};

struct ViewName {
  HudView view;
  std::string_view name;
};

constexpr auto kViews = std::to_array<ViewName>({
    {HudView::Window, "tarvoHUDWindow"},
    {HudView::HUDView, "tarvoHUDView"},
    {HudView::BlurEffectView, "tarvoBlurEffectView"},
    {HudView::VibrancyEffectView, "tarvoVibrancyEffectView"},
    {HudView::Label, "tarvoHUDLabel"},
    {HudView::SliderView, "tarvoHUDSliderView"},
    {HudView::Slider, "tarvoHUDSlider"},
    {HudView::MinImageView, "tarvoHUDMinImageView"},
    {HudView::MaxImageView, "tarvoHUDMaxImageView"},
});

// Every view answers these.
constexpr auto kEveryView = std::to_array<Row>({
    {"frame", T::Rect, S::Frame},
    {"bounds", T::Rect, S::Bounds},
    {"center", T::Point, S::Center},
    {"alpha", T::Real, S::Alpha},
    {"hidden", T::Bool, S::Hidden},
    {"cornerRadius", T::Real, S::CornerRadius},
    {"masksToBounds", T::Bool, S::MasksToBounds},
    {"gestureRecognizers", T::Real, S::GestureRecognizers},
    {"presentation.frame", T::Rect, S::PresentationFrame},
    {"presentation.bounds", T::Rect, S::PresentationBounds},
    {"presentation.center", T::Point, S::PresentationCenter},
    {"presentation.alpha", T::Real, S::PresentationAlpha},
});

struct ViewRow {
  HudView view;
  Row row;
};

constexpr auto kImageView = std::to_array<Row>({
    {"glyph", T::Glyph, S::Glyph},
    {"mirrored", T::Bool, S::Mirrored},
    {"tintColor", T::Colour, S::TintColor},
    {"image.size", T::Point, S::ImageSize},
    {"image.scale", T::Real, S::ImageScale},
    {"image.orientation", T::Text, S::ImageOrientation},
    {"image.alphaDigest", T::Text, S::ImageAlphaDigest},
});

constexpr auto kOneView = std::to_array<ViewRow>({
    {HudView::Window, {"rotation", T::Real, S::Rotation}},
    {HudView::Window, {"presentation.rotation", T::Real, S::PresentationRotation}},
    {HudView::Window, {"shadowOpacity", T::Real, S::ShadowOpacity}},
    {HudView::HUDView, {"backgroundColor", T::Colour, S::BackgroundColor}},
    {HudView::HUDView, {"presentation.backgroundColor", T::Colour, S::PresentationBackgroundColor}},
    {HudView::Label, {"text", T::Text, S::Text}},
    {HudView::Label, {"textAlignment", T::Alignment, S::TextAlignment}},
    {HudView::Label, {"textColor", T::Colour, S::TextColor}},
    {HudView::Slider, {"value", T::Real, S::SliderValue}},
    {HudView::Slider, {"presentation.value", T::Real, S::PresentationSliderValue}},
    {HudView::Slider, {"minimumValue", T::Real, S::MinimumValue}},
    {HudView::Slider, {"maximumValue", T::Real, S::MaximumValue}},
    {HudView::Slider, {"minimumTrackColor", T::Colour, S::MinimumTrackColor}},
    {HudView::Slider, {"maximumTrackColor", T::Colour, S::MaximumTrackColor}},
    {HudView::Slider, {"trackRect", T::Rect, S::TrackRect}},
    // The image views' rows follow from kImageView.
});

constexpr auto kGlobals = std::to_array<Row>({
    {"tarvoMinColor", T::Colour, S::MinColor},
    {"tarvoMaxColor", T::Colour, S::MaxColor},
    {"tarvoIndicatorColor", T::Colour, S::IndicatorColor},
    {"isHiding", T::Bool, S::IsHiding},
    {"hidingStatusBarItems", T::Bool, S::HidingStatusBarItems},
    {"showingStatusBarItems", T::Bool, S::ShowingStatusBarItems},
    {"isIPhoneX", T::Bool, S::IsIPhoneX},
    {"isForceSplit", T::Bool, S::IsForceSplit},
    {"statusColors", T::Value, S::StatusColors},
});

// A property or global name: dot-separated words of letters and digits, none of them empty.
constexpr bool isWellFormed(std::string_view name) {
  if (name.empty() || name.front() == '.' || name.back() == '.') return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!letterOrDigit && !(c == '.' && name[i + 1] != '.')) return false;
  }
  return true;
}

template <typename Table, typename NameOf>
constexpr bool namesAreWellFormedAndUnique(const Table& table, NameOf nameOf) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (!isWellFormed(nameOf(table[i]))) return false;
    for (std::size_t j = 0; j < i; ++j)
      if (nameOf(table[j]) == nameOf(table[i])) return false;
  }
  return true;
}

constexpr auto rowName = [](const Row& row) { return row.name; };
static_assert(namesAreWellFormedAndUnique(kViews, [](const ViewName& v) { return v.name; }));
static_assert(namesAreWellFormedAndUnique(kEveryView, rowName));
static_assert(namesAreWellFormedAndUnique(kImageView, rowName));
static_assert(namesAreWellFormedAndUnique(kOneView, [](const ViewRow& r) { return r.row.name; }));
static_assert(namesAreWellFormedAndUnique(kGlobals, rowName));

constexpr std::string_view kSettingPrefix = "setting.";

bool isSettingName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
      return false;
  return true;
}

bool isImageView(HudView view) { return view == HudView::MinImageView || view == HudView::MaxImageView; }

SnapshotField viewField(HudView view, const Row& row) {
  return SnapshotField{std::string(nameOf(view)) + "." + std::string(row.name), row.type, row.source, view, {}};
}

// The properties one view answers, in the table's order.
std::vector<Row> rowsOf(HudView view) {
  std::vector<Row> rows(kEveryView.begin(), kEveryView.end());
  for (const ViewRow& extra : kOneView)
    if (extra.view == view) rows.push_back(extra.row);
  if (isImageView(view)) rows.insert(rows.end(), kImageView.begin(), kImageView.end());
  return rows;
}

std::optional<HudView> viewNamed(std::string_view name) {
  for (const ViewName& v : kViews)
    if (v.name == name) return v.view;
  return std::nullopt;
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

std::string_view nameOf(HudView view) {
  for (const ViewName& v : kViews)
    if (v.view == view) return v.name;
  return "";
}

const std::vector<SnapshotField>& snapshotFields() {
  // Made once from the tables: every snapshot walks it.
  static const std::vector<SnapshotField> fields = [] {
    std::vector<SnapshotField> made;
    for (const ViewName& v : kViews)
      for (const Row& row : rowsOf(v.view)) made.push_back(viewField(v.view, row));
    for (const Row& global : kGlobals)
      made.push_back(SnapshotField{std::string(global.name), global.type, global.source, std::nullopt, {}});
    return made;
  }();
  return fields;
}

std::optional<SnapshotField> snapshotFieldNamed(std::string_view name) {
  if (name.starts_with(kSettingPrefix)) {
    if (!isSettingName(name.substr(kSettingPrefix.size()))) return std::nullopt;
    return SnapshotField{std::string(name), FieldType::Value, FieldSource::Setting, std::nullopt, {}};
  }
  for (const Row& global : kGlobals)
    if (global.name == name) return SnapshotField{std::string(name), global.type, global.source, std::nullopt, {}};
  std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  std::optional<HudView> view = viewNamed(name.substr(0, dot));
  if (!view) return std::nullopt;
  std::string_view property = name.substr(dot + 1);
  for (const Row& row : rowsOf(*view))
    if (row.name == property) return viewField(*view, row);
  return std::nullopt;
}

std::string_view settingNameOf(const SnapshotField& field) {
  std::string_view name = field.name;
  return name.starts_with(kSettingPrefix) ? name.substr(kSettingPrefix.size()) : std::string_view{};
}

std::string unknownFieldMessage(std::string_view name) {
  std::string quotedName = "'" + std::string(name) + "'";
  if (name.starts_with(kSettingPrefix))
    return quotedName + " is not a setting name (letters, digits and underscores after 'setting.')";
  std::size_t dot = name.find('.');
  if (dot != std::string_view::npos) {
    if (std::optional<HudView> view = viewNamed(name.substr(0, dot))) {
      std::string list;
      for (const Row& row : rowsOf(*view)) list += (list.empty() ? "" : ", ") + std::string(row.name);
      return "unknown field " + quotedName + ": " + std::string(nameOf(*view)) + " has " + list;
    }
  }
  std::string views;
  for (const ViewName& v : kViews) views += (views.empty() ? "" : ", ") + std::string(v.name);
  std::string globals;
  for (const Row& g : kGlobals) globals += ", " + std::string(g.name);
  return "unknown field " + quotedName + " (fields are VIEW.PROPERTY for the views " + views +
         "; setting.NAME" + globals + ")";
}

}  // namespace sim
