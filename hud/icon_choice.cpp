#include "hud/icon_choice.h"

#include "settings/settings.h"

namespace tarvo {

IconChoice chooseIcons(const Settings& s, VolumeMode mode, bool silent, float ringerVolume, float mediaVolume) {
  // Levels that fit no row (NaN, or a negative media level) leave both views empty, as the table does.
  if (mode == VolumeMode::Ringer) {
    if (!s.RINGERINDICATOR) return {};
    if (!s.SINGLEINDICATOR) return {Glyph::RingerMed, Glyph::RingerMax};
    if (silent) return {Glyph::RingerMin, Glyph::None};
    // The lowest ringer step (0.0625) counts as "at most half": the buttons never take the ringer to zero.
    if (ringerVolume <= 0.5f) return {Glyph::RingerMed, Glyph::None};
    if (ringerVolume > 0.5f) return {Glyph::RingerMax, Glyph::None};
    return {};
  }
  if (!s.MEDIAINDICATOR) return {};
  if (!s.SINGLEINDICATOR) return {Glyph::MediaMin, Glyph::MediaMax};
  if (mediaVolume == 0.0f) return {Glyph::MediaMin, Glyph::None};
  if (mediaVolume > 0.0f && mediaVolume <= 0.5f) return {Glyph::MediaMed, Glyph::None};
  if (mediaVolume > 0.5f) return {Glyph::MediaMax, Glyph::None};
  return {};
}

bool iconsShown(const Settings& s, VolumeMode mode) {
  return (mode == VolumeMode::Media && s.MEDIAINDICATOR) || (mode == VolumeMode::Ringer && s.RINGERINDICATOR);
}

std::string_view glyphName(Glyph glyph) {
  switch (glyph) {
    case Glyph::RingerMin: return "ringerMin";
    case Glyph::RingerMed: return "ringerMed";
    case Glyph::RingerMax: return "ringerMax";
    case Glyph::MediaMin: return "mediaMin";
    case Glyph::MediaMed: return "mediaMed";
    case Glyph::MediaMax: return "mediaMax";
    case Glyph::None: break;
  }
  return "none";
}

}  // namespace tarvo
