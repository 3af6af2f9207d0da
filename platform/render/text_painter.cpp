#include "platform/render/text_painter.h"

#include "platform/graphics/cairo_bridge.h"
#include "platform/graphics/font_cache.h"
#include "platform/graphics/text_measure.h"
#include "platform/uikit/label.h"

namespace platform {

void paintLabelText(cairo_t* cr, FontCache& fonts, const UILabel& label, CGRect bounds) {
  std::string text = firstLineAsValidUtf8(label.text());
  double size = label.font().pointSize;
  if (text.empty() || !(size > 0) || size > kLargestPointSize || !cairo::isDrawable(bounds)) return;
  bounds = CGRectStandardize(bounds);
  cairo_save(cr);
  cairo_set_font_face(cr, fonts.face(label.font().fontName));
  cairo_set_font_size(cr, size);
  std::string shown = truncated(cr, text, bounds.size.width);
  if (!shown.empty()) {
    double width = textWidth(cr, shown);
    double x = bounds.origin.x;
    if (label.textAlignment() == NSTextAlignmentCenter)
      x += (bounds.size.width - width) / 2;
    else if (label.textAlignment() == NSTextAlignmentRight)
      x += bounds.size.width - width;
    cairo_font_extents_t font;
    cairo_font_extents(cr, &font);
    double baseline = CGRectGetMidY(bounds) + (font.ascent - font.descent) / 2;
    UIColor color = label.textColor().value_or(UIColor::blackColor());
    cairo_set_source_rgba(cr, color.red(), color.green(), color.blue(), color.alpha());
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, shown.c_str());
  }
  cairo_restore(cr);
}

}  // namespace platform
