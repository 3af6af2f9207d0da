#pragma once
// Which built-in glyph each icon view beside the slider shows, for the mode, the settings and the level.
#include <string_view>

#include "hud/modes.h"

namespace tarvo {

struct Settings;

enum class Glyph { None, RingerMin, RingerMed, RingerMax, MediaMin, MediaMed, MediaMax };

struct IconChoice {
  Glyph left = Glyph::None;
  Glyph right = Glyph::None;
  bool operator==(const IconChoice&) const = default;
};

// The ringer's level is ringerVolume; any other mode is media's, with mediaVolume.
// The rows are tried from the top; the first that holds applies.
IconChoice chooseIcons(const Settings& settings, VolumeMode mode, bool silent, float ringerVolume, float mediaVolume);

// Whether icons get room in the layout: only the current mode's icon setting counts (a mode that is neither
// gets none).
bool iconsShown(const Settings& settings, VolumeMode mode);

std::string_view glyphName(Glyph glyph);

}  // namespace tarvo
