#include "platform/render/text_painter.h"

#include "platform/graphics/cairo_bridge.h"
#include "platform/graphics/font_cache.h"
#include "platform/graphics/text_measure.h"
#include "platform/render/view_record.h"

namespace platform {

void paintLabelText(cairo_t* cr, FontCache& fonts, const TextContent& text, CGRect bounds) {
  if (text.text.empty() || !(text.pointSize > 0) || text.pointSize > kLargestPointSize || !cairo::isDrawable(bounds))
    return;
  bounds = CGRectStandardize(bounds);
  cairo_save(cr);
  cairo_set_font_face(cr, fonts.face(text.fontName));
  cairo_set_font_size(cr, text.pointSize);
  std::string shown = truncated(cr, text.text, bounds.size.width);
  if (!shown.empty()) {
    double width = textWidth(cr, shown);
    double x = bounds.origin.x;
    if (text.alignment == NSTextAlignmentCenter)
      x += (bounds.size.width - width) / 2;
    else if (text.alignment == NSTextAlignmentRight)
      x += bounds.size.width - width;
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    double baseline = CGRectGetMidY(bounds) + (font.ascent - font.descent) / 2;
    cairo_set_source_rgba(cr, text.color.red(), text.color.green(), text.color.blue(), text.color.alpha());
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, shown.c_str());
  }
  cairo_restore(cr);
}

}  // namespace platform
