#pragma once
// What an icon view's image shows, read from its pixels the way a person would read the screen: which of
// the six built-in glyphs it is and whether it is mirrored, its colour and a digest of its shape. Nothing
// here asks the HUD which icon it meant to show, so a swapped, unmirrored or blank icon is seen as such.
#include <optional>
#include <string>

#include "platform/graphics/color.h"
#include "platform/graphics/image.h"

namespace sim {

struct IconReading {
  // "ringerMin" ... "mediaMax"; "none" when there is no image or nothing visible in it; "unrecognised"
  // when the shape is none of the six.
  std::string glyph = "none";
  bool mirrored = false;
  // The colour of its visible pixels, weighted by coverage, with the strongest coverage as alpha.
  std::optional<platform::UIColor> colour;
  // 16 hexadecimal digits over the width, height and alpha of every pixel as shown (orientation applied).
  std::string alphaDigest;
};

IconReading readIcon(const platform::UIImagePtr& image);

// UIImageOrientation's names: up, down, left, right, upMirrored, downMirrored, leftMirrored, rightMirrored.
std::string_view orientationName(platform::UIImageOrientation orientation);

}  // namespace sim
