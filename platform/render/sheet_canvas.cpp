#include "platform/render/sheet_canvas.h"

#include <string>

#include "platform/graphics/cairo_bridge.h"
#include "platform/graphics/font_cache.h"

namespace platform {

struct SheetCanvas::Impl {
  cairo::SurfacePtr surface;
  cairo::ContextPtr cr;
  // Through fontconfig as the renderer resolves fonts.
  FontCache fonts;
};

SheetCanvas::SheetCanvas(int width, int height) : impl_(std::make_unique<Impl>()) {
  if (!isAcceptableImageSize(width, height)) return;
  impl_->surface = cairo::makeSurface(width, height);
  impl_->cr.reset(cairo_create(impl_->surface.get()));
  cairo_set_source_rgb(impl_->cr.get(), 0.93, 0.93, 0.95);
  cairo_paint(impl_->cr.get());
}

SheetCanvas::~SheetCanvas() = default;

void SheetCanvas::place(const CGImage& image, double x, double y, double scale) {
  cairo_t* cr = impl_->cr.get();
  if (!cr || image.width() <= 0 || image.height() <= 0 || !(scale > 0)) return;
  const CGRect rect{{x, y}, {image.width() * scale, image.height() * scale}};
  if (!cairo::isDrawable(rect)) return;
  cairo_save(cr);
  cairo::SurfacePtr pixels = cairo::wrapImage(image);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, pixels.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_rectangle(cr, 0, 0, image.width(), image.height());
  cairo_fill(cr);
  cairo_restore(cr);
}

void SheetCanvas::text(double x, double y, std::string_view line, double size, const UIColor& color,
                       bool bold) {
  cairo_t* cr = impl_->cr.get();
  if (!cr || !cairo::isDrawable({{x, y}, {size, size}})) return;
  cairo_save(cr);
  cairo_set_font_face(cr, impl_->fonts.face(bold ? "DejaVuSans-Bold" : "DejaVu Sans"));
  cairo_set_font_size(cr, size);
  cairo_set_source_rgba(cr, color.red(), color.green(), color.blue(), color.alpha());
  cairo_move_to(cr, x, y);
  const std::string text(line);
  cairo_show_text(cr, text.c_str());
  cairo_restore(cr);
}

void SheetCanvas::outline(CGRect rect, const UIColor& color, double lineWidth) {
  cairo_t* cr = impl_->cr.get();
  if (!cr || !cairo::isDrawable(rect) || !(lineWidth > 0) || lineWidth > 64) return;
  cairo_save(cr);
  cairo_set_source_rgba(cr, color.red(), color.green(), color.blue(), color.alpha());
  cairo_set_line_width(cr, lineWidth);
  cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  cairo_stroke(cr);
  cairo_restore(cr);
}

CGImageRef SheetCanvas::compose() const {
  if (!impl_->surface) return nullptr;
  cairo_surface_flush(impl_->surface.get());
  return cairo::snapshot(impl_->surface.get(), true);
}

}  // namespace platform
