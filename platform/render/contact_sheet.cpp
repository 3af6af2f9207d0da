#include "platform/render/contact_sheet.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/cairo_bridge.h"
#include "platform/graphics/font_cache.h"

namespace platform {

namespace {
constexpr int kMargin = 16;
constexpr int kLabelHeight = 22;
}  // namespace

CGImageRef composeContactSheet(const std::vector<SheetItem>& items, int columns, int thumbWidth) {
  columns = std::clamp(columns, 1, 16);
  thumbWidth = std::clamp(thumbWidth, 16, 1024);
  int thumbHeight = thumbWidth;
  for (const auto& item : items)
    if (item.image && item.image->width() > 0)
      thumbHeight = std::max(thumbHeight, static_cast<int>(std::lround(
                                              double(item.image->height()) * thumbWidth / item.image->width())));
  thumbHeight = std::min(thumbHeight, 4 * thumbWidth);
  int count = std::max<int>(1, static_cast<int>(items.size()));
  int rows = (count + columns - 1) / columns;
  int width = kMargin + std::min(columns, count) * (thumbWidth + kMargin);
  int height = kMargin + rows * (thumbHeight + kLabelHeight + kMargin);
  if (!isAcceptableImageSize(width, height)) return nullptr;

  cairo::SurfacePtr surface = cairo::makeSurface(width, height);
  cairo::ContextPtr cr(cairo_create(surface.get()));
  cairo_set_source_rgb(cr.get(), 0.93, 0.93, 0.95);
  cairo_paint(cr.get());
  // Through the font cache, which loads fontconfig once and accounts for what it keeps for good; cairo's
  // own font selection would load it behind the leak checker's back.
  FontCache fonts;
  cairo_set_font_face(cr.get(), fonts.face("DejaVu Sans"));
  cairo_set_font_size(cr.get(), 13);
  for (std::size_t i = 0; i < items.size(); ++i) {
    double x = kMargin + static_cast<double>(i % columns) * (thumbWidth + kMargin);
    double y = kMargin + static_cast<double>(i / columns) * (thumbHeight + kLabelHeight + kMargin);
    const auto& item = items[i];
    if (item.image && item.image->width() > 0 && item.image->height() > 0) {
      cairo::SurfacePtr frame = cairo::wrapImage(*item.image);
      double s = double(thumbWidth) / item.image->width();
      cairo_save(cr.get());
      cairo_rectangle(cr.get(), x, y, thumbWidth, std::min<double>(thumbHeight, item.image->height() * s));
      cairo_clip(cr.get());
      cairo_translate(cr.get(), x, y);
      cairo_scale(cr.get(), s, s);
      cairo_set_source_surface(cr.get(), frame.get(), 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
      cairo_paint(cr.get());
      cairo_restore(cr.get());
    }
    cairo_set_source_rgb(cr.get(), 0.1, 0.1, 0.12);
    cairo_move_to(cr.get(), x, y + thumbHeight + 16);
    cairo_show_text(cr.get(), item.label.c_str());
  }
  return cairo::snapshot(surface.get());
}

}  // namespace platform
