#pragma once
// Which built-in glyph each icon view beside the slider shows, for the mode, the settings and the level.
#include <string_view>

namespace tarvo {

struct Settings;

enum class Glyph { None, RingerMin, RingerMed, RingerMax, MediaMin, MediaMed, MediaMax };

struct IconChoice {
  Glyph left = Glyph::None;
  Glyph right = Glyph::None;
  bool operator==(const IconChoice&) const = default;
};

// mode 1 is the ringer (level = ringerVolume), anything else media (level = mediaVolume).
// The rows are tried from the top; the first that holds applies.
IconChoice chooseIcons(const Settings& settings, int mode, bool silent, float ringerVolume, float mediaVolume);

// Whether icons get room in the layout: only the current mode's icon setting counts.
bool iconsShown(const Settings& settings, int mode);

std::string_view glyphName(Glyph glyph);

}  // namespace tarvo
