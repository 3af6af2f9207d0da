#include "sim/scenario/values.h"

#include <array>
#include <utility>

namespace sim {

namespace {

template <class E, std::size_t N>
std::optional<E> lookUp(const std::array<std::pair<std::string_view, E>, N>& table, std::string_view text) {
  for (const auto& [name, value] : table)
    if (name == text) return value;
  return std::nullopt;
}

template <class E, std::size_t N>
std::string_view nameIn(const std::array<std::pair<std::string_view, E>, N>& table, E value) {
  for (const auto& [name, v] : table)
    if (v == value) return name;
  return "?";
}

// The first name of each value is the one written back; the others are accepted aliases.
constexpr auto kOrientations = std::to_array<std::pair<std::string_view, Orientation>>({
    {"portrait", Orientation::Portrait},
    {"portrait-upside-down", Orientation::PortraitUpsideDown},
    {"landscape-right", Orientation::LandscapeRight},
    {"landscape-left", Orientation::LandscapeLeft},
    {"upside-down", Orientation::PortraitUpsideDown},
    {"1", Orientation::Portrait},
    {"2", Orientation::PortraitUpsideDown},
    {"3", Orientation::LandscapeRight},
    {"4", Orientation::LandscapeLeft},
});

constexpr auto kGlyphs = std::to_array<std::pair<std::string_view, Glyph>>({
    {"none", Glyph::None},
    {"ringerMin", Glyph::RingerMin},
    {"ringerMed", Glyph::RingerMed},
    {"ringerMax", Glyph::RingerMax},
    {"mediaMin", Glyph::MediaMin},
    {"mediaMed", Glyph::MediaMed},
    {"mediaMax", Glyph::MediaMax},
});

constexpr auto kAlignments = std::to_array<std::pair<std::string_view, TextAlignment>>({
    {"left", TextAlignment::Left},
    {"center", TextAlignment::Center},
    {"right", TextAlignment::Right},
    {"justified", TextAlignment::Justified},
    {"natural", TextAlignment::Natural},
    {"0", TextAlignment::Left},
    {"1", TextAlignment::Center},
    {"2", TextAlignment::Right},
    {"3", TextAlignment::Justified},
    {"4", TextAlignment::Natural},
});

}  // namespace

std::optional<Orientation> orientationNamed(std::string_view text) {
  return lookUp(kOrientations, text);
}
std::string_view nameOf(Orientation orientation) {
  return nameIn(kOrientations, orientation);
}

std::optional<Glyph> glyphNamed(std::string_view text) {
  return lookUp(kGlyphs, text);
}
std::string_view nameOf(Glyph glyph) {
  return nameIn(kGlyphs, glyph);
}

std::optional<TextAlignment> textAlignmentNamed(std::string_view text) {
  return lookUp(kAlignments, text);
}
std::string_view nameOf(TextAlignment alignment) {
  return nameIn(kAlignments, alignment);
}

std::string_view nameOf(VolumeButton button) {
  return button == VolumeButton::Up ? "up" : "down";
}
std::string_view nameOf(VolumeMode mode) {
  return mode == VolumeMode::Ringer ? "ringer" : "media";
}
std::string_view nameOf(BarKind kind) {
  switch (kind) {
    case BarKind::Classic:
      return "classic";
    case BarKind::Split:
      return "split";
    case BarKind::None:
      return "none";
  }
  return "?";
}
std::string_view nameOf(LayoutDirection direction) {
  return direction == LayoutDirection::LeftToRight ? "ltr" : "rtl";
}
std::string_view nameOf(NotificationForm form) {
  return form == NotificationForm::CF ? "cf" : "ns";
}
std::string_view nameOf(Library library) {
  return library == Library::Tarvo12 ? "Tarvo12" : "Tarvo12Kit";
}

}  // namespace sim
