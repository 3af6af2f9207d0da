#pragma once
// One line of label text: font from the cache, colour, alignment, vertically centred, cut with an ellipsis
// when it does not fit. Private to platform/.
#include <cairo.h>

#include "platform/graphics/geometry.h"

namespace platform {

class FontCache;
struct TextContent;

// Draws the text in the label's bounds, in the label's own coordinates (the current user space of cr).
void paintLabelText(cairo_t* cr, FontCache& fonts, const TextContent& text, CGRect bounds);

}  // namespace platform
