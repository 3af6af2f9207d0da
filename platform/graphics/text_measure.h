#pragma once
// One line of text measured in a font: what a label's size and its drawing both rest on. Private to
// platform/.
#include <cairo.h>

#include <string>
#include <string_view>

#include "platform/graphics/font.h"
#include "platform/graphics/geometry.h"

namespace platform {

class FontCache;

// Larger text cannot be on a phone screen; cairo's glyph cache would suffer for it.
inline constexpr double kLargestPointSize = 1000;

// Invalid UTF-8 (which would put cairo into an error state) becomes U+FFFD; the text ends at the first line
// break or NUL.
std::string firstLineAsValidUtf8(std::string_view text);

// The size one line of the text takes in the font: its advance, and the font's ascent plus descent.
CGSize measureText(FontCache& fonts, std::string_view text, const UIFont& font);

// The advance of valid UTF-8 text in cr's current font.
double textWidth(cairo_t* cr, const std::string& text);

// The longest start of the text that fits in the width with an ellipsis after it (UIKit's default
// truncation at the tail); the text itself when it fits, empty when not even the ellipsis does.
std::string truncated(cairo_t* cr, const std::string& text, double width);

}  // namespace platform
