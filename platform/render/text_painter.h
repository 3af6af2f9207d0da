#pragma once
// One line of label text: font from the cache, colour, alignment, vertically centred, cut with an ellipsis
// when it does not fit. Private to platform/.
#include <cairo.h>

#include <string>
#include <string_view>

#include "platform/graphics/geometry.h"

namespace platform {

class FontCache;
class UILabel;
struct UIFont;

// Invalid UTF-8 (which would put cairo into an error state) becomes U+FFFD; the text ends at the first line
// break or NUL.
std::string firstLineAsValidUtf8(std::string_view text);

// The size one line of the text takes in the font: its advance, and the font's ascent plus descent.
CGSize measureText(FontCache& fonts, std::string_view text, const UIFont& font);

// Draws the label's text in its bounds, in the label's own coordinates (the current user space of cr).
void paintLabelText(cairo_t* cr, FontCache& fonts, const UILabel& label, CGRect bounds);

}  // namespace platform
