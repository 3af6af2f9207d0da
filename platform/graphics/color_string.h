#pragma once
// The colour picker library's colour strings: "#RRGGBB:alpha" or "#RRGGBB" (alpha 1).
#include <optional>
#include <string_view>

#include "platform/graphics/color.h"

namespace platform {

// What is accepted: ASCII spaces and tabs around the whole string; a number sign; exactly six hexadecimal
// digits in either case; optionally a colon and the alpha as a plain decimal ("1", "0.5", ".5", "1.000000",
// an optional leading sign, no exponent, no spaces inside). An alpha outside [0, 1] is clamped. Anything
// else is not a colour string.
std::optional<UIColor> parseColorString(std::string_view text);

// LCPParseColorString: the colour the string names, else the colour of the fallback string, else opaque
// black (a fallback that is not a colour string either).
UIColor LCPParseColorString(std::string_view text, std::string_view fallback);

}  // namespace platform
