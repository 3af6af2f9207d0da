#pragma once
// The one table of the HUD fields a scenario can observe: properties of the HUD's views (as set, and as on
// screen), the three HUD colours, the guard flags, statusColors and every setting. The parser checks
// `expect` lines against it; the snapshot produces exactly its names and reads each by its source, so a
// field can neither be checked without being produced nor be renamed on one side only.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// How an expected value is written and compared.
enum class FieldType {
  Bool,       // true/false
  Real,       // a number, compared within a tolerance
  Rect,       // x y width height
  Point,      // x y (also a size: width height)
  Colour,     // #RRGGBB or #RRGGBB:alpha
  Text,       // a string
  Glyph,      // one of the six built-in icons, or none
  Alignment,  // left, center, right, justified, natural (or 0 to 4)
  Value,      // any property-list value (settings, statusColors)
};
std::string_view nameOf(FieldType type);

// The HUD's views, by their variable names (nameOf), outermost first.
enum class HudView {
  Window,
  HUDView,
  BlurEffectView,
  VibrancyEffectView,
  Label,
  SliderView,
  Slider,
  MinImageView,
  MaxImageView,
};
std::string_view nameOf(HudView view);

// What a field reads. The snapshot answers every source in one switch without a default, so a source
// added here without a reader is a compiler warning (an error in CI).
enum class FieldSource {
  // Every view; Presentation* are the values on screen at the time of the look, the others model values.
  Frame,
  Bounds,
  Center,
  Alpha,
  Hidden,
  CornerRadius,
  MasksToBounds,
  GestureRecognizers,
  PresentationFrame,
  PresentationBounds,
  PresentationCenter,
  PresentationAlpha,
  // One view.
  Rotation,
  PresentationRotation,
  ShadowOpacity,
  BackgroundColor,
  PresentationBackgroundColor,
  Text,
  TextAlignment,
  TextColor,
  SliderValue,
  PresentationSliderValue,
  MinimumValue,
  MaximumValue,
  MinimumTrackColor,
  MaximumTrackColor,
  TrackRect,
  // An image view, read from the pixels of the image it shows.
  Glyph,
  Mirrored,
  TintColor,
  ImageSize,
  ImageScale,
  ImageOrientation,
  ImageAlphaDigest,
  // The HUD's own values.
  MinColor,
  MaxColor,
  IndicatorColor,
  IsHiding,
  HidingStatusBarItems,
  ShowingStatusBarItems,
  IsIPhoneX,
  IsForceSplit,
  StatusColors,
  Setting,  // setting.NAME: the setting variable NAME
};

struct SnapshotField {
  // "tarvoHUDSlider.value", "tarvoHUDWindow.presentation.alpha", "tarvoMinColor", "setting.WIDTH"; for
  // views always VIEW.PROPERTY with the view's variable name.
  std::string name;
  FieldType type = FieldType::Real;
  FieldSource source = FieldSource::Frame;
  std::optional<HudView> view;  // for the views' fields
  // One entry of statusColors (a key of the dictionary, or an index of an array), when set.
  std::optional<std::string> key;
  bool operator==(const SnapshotField&) const = default;
};

// Every field with a fixed name, in the table's order (setting.NAME is open-ended and not listed).
const std::vector<SnapshotField>& snapshotFields();

// The field a name denotes, or nothing. "setting.NAME" is accepted for any NAME made of letters, digits
// and underscores: which settings exist is for the runner to say.
std::optional<SnapshotField> snapshotFieldNamed(std::string_view name);

// The setting variable a setting.NAME field reads.
std::string_view settingNameOf(const SnapshotField& field);

// Why a name is not a field, with the names that would be, for an error message.
std::string unknownFieldMessage(std::string_view name);

}  // namespace sim
