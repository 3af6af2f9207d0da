#include "platform/render/view_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/graphics/cairo_bridge.h"
#include "platform/render/blur.h"
#include "platform/render/blur_cache.h"
#include "platform/render/surface_pool.h"
#include "platform/render/text_painter.h"
#include "platform/uikit/content/video_view.h"

namespace platform {

namespace {

cairo_matrix_t matrixOf(const CGAffineTransform& t) {
  cairo_matrix_t m;
  cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
  return m;
}

}  // namespace

void roundedRectPath(cairo_t* cr, CGRect rect, double radius) {
  rect = CGRectStandardize(rect);
  double w = rect.size.width, h = rect.size.height;
  radius = std::isfinite(radius) ? std::clamp(radius, 0.0, std::min(w, h) / 2) : 0;
  cairo_new_path(cr);
  if (radius <= 0) {
    cairo_rectangle(cr, rect.origin.x, rect.origin.y, w, h);
    return;
  }
  double x = rect.origin.x, y = rect.origin.y;
  constexpr double kQuarter = std::numbers::pi / 2;
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - radius, y + radius, radius, -kQuarter, 0);
  cairo_arc(cr, x + w - radius, y + h - radius, radius, 0, kQuarter);
  cairo_arc(cr, x + radius, y + h - radius, radius, kQuarter, 2 * kQuarter);
  cairo_arc(cr, x + radius, y + radius, radius, 2 * kQuarter, 3 * kQuarter);
  cairo_close_path(cr);
}

ViewPainter::ViewPainter(cairo_t* cr, FontCache& fonts, SurfacePool& surfaces, BlurCache* blurs)
    : fonts_(fonts), surfaces_(surfaces), blurs_(blurs), screen_(cairo_get_target(cr)) {
  bool image = cairo_surface_get_type(screen_) == CAIRO_SURFACE_TYPE_IMAGE;
  screenWidth_ = image ? cairo_image_surface_get_width(screen_) : 0;
  screenHeight_ = image ? cairo_image_surface_get_height(screen_) : 0;
  targets_.push_back({cr, 0, 0});
}

ViewPainter::~ViewPainter() = default;

void ViewPainter::blur(cairo_surface_t* surface, double sigma, bool clampEdges) {
  if (blurs_)
    blurs_->blur(surface, sigma, clampEdges);
  else
    blurSurface(surface, sigma, clampEdges);
}

void ViewPainter::showsPartOfScreen(int x, int y, int screenWidth, int screenHeight) {
  targets_.front().x0 = x;
  targets_.front().y0 = y;
  screenWidth_ = screenWidth;
  screenHeight_ = screenHeight;
}

double ViewPainter::deviceScale() const {
  cairo_matrix_t m;
  cairo_get_matrix(cr(), &m);
  double det = std::fabs(m.xx * m.yy - m.xy * m.yx);
  return std::isfinite(det) ? std::sqrt(det) : 1;
}

ViewPainter::DeviceBox ViewPainter::deviceBoxOf(CGRect rect) const {
  rect = CGRectStandardize(rect);
  if (!cairo::isDrawable(rect)) return {};
  double xs[4] = {rect.origin.x, rect.origin.x + rect.size.width, rect.origin.x,
                  rect.origin.x + rect.size.width};
  double ys[4] = {rect.origin.y, rect.origin.y, rect.origin.y + rect.size.height,
                  rect.origin.y + rect.size.height};
  double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
  for (int i = 0; i < 4; ++i) {
    cairo_user_to_device(cr(), &xs[i], &ys[i]);
    x0 = std::min(x0, xs[i] + targets_.back().x0);
    x1 = std::max(x1, xs[i] + targets_.back().x0);
    y0 = std::min(y0, ys[i] + targets_.back().y0);
    y1 = std::max(y1, ys[i] + targets_.back().y0);
  }
  // Clipped to the screen, the box is small and finite, so the conversions below are exact.
  x0 = std::clamp(std::floor(x0), 0.0, double(screenWidth_));
  y0 = std::clamp(std::floor(y0), 0.0, double(screenHeight_));
  x1 = std::clamp(std::ceil(x1), 0.0, double(screenWidth_));
  y1 = std::clamp(std::ceil(y1), 0.0, double(screenHeight_));
  if (!(x1 > x0) || !(y1 > y0)) return {};
  return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
}

void ViewPainter::drawView(const std::vector<ViewRecord>& views) {
  if (!views.empty()) drawView(views, 0);
}

void ViewPainter::drawInPlace(const std::vector<ViewRecord>& views) {
  if (views.empty()) return;
  cairo_save(cr());
  drawContents(views, 0);
  cairo_restore(cr());
}

std::size_t ViewPainter::drawView(const std::vector<ViewRecord>& views, std::size_t at) {
  const ViewRecord& view = views[at];
  const std::size_t next = at + 1 + view.descendants;
  cairo_matrix_t current, local = matrixOf(view.placement), full;
  cairo_get_matrix(cr(), &current);
  cairo_matrix_multiply(&full, &local, &current);
  if (!cairo::isUsableMatrix(full)) return next;

  cairo_save(cr());
  cairo_set_matrix(cr(), &full);
  if (view.alpha < 1 || view.shadow)
    drawOffscreen(views, at);
  else
    drawContents(views, at);
  cairo_restore(cr());
  return next;
}

std::size_t ViewPainter::drawOffscreen(const std::vector<ViewRecord>& views, std::size_t at) {
  const ViewRecord& view = views[at];
  const std::size_t next = at + 1 + view.descendants;
  DeviceBox box = deviceBoxOf(view.extent);
  if (box.width == 0) return next;
  SurfacePool::Lease surface = surfaces_.acquire(CAIRO_FORMAT_ARGB32, box.width, box.height);
  cairo::ContextPtr group(cairo_create(surface.get()));
  cairo_matrix_t m;
  cairo_get_matrix(cr(), &m);
  m.x0 -= box.x - targets_.back().x0;
  m.y0 -= box.y - targets_.back().y0;
  cairo_set_matrix(group.get(), &m);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_get_font_options(cr(), options);
  cairo_set_font_options(group.get(), options);
  cairo_font_options_destroy(options);

  targets_.push_back({group.get(), box.x, box.y});
  drawContents(views, at);
  targets_.pop_back();
  group.reset();
  cairo_surface_flush(surface.get());

  if (view.shadow) drawShadow(view, surface.get(), box);
  cairo_save(cr());
  cairo_identity_matrix(cr());
  cairo_set_source_surface(cr(), surface.get(), box.x - targets_.back().x0, box.y - targets_.back().y0);
  cairo_paint_with_alpha(cr(), view.alpha);
  cairo_restore(cr());
  return next;
}

std::size_t ViewPainter::drawContents(const std::vector<ViewRecord>& views, std::size_t at) {
  const ViewRecord& view = views[at];
  const CGRect bounds = view.bounds;
  cairo_t* c = cr();
  if (view.background) {
    const UIColor& bg = *view.background;
    roundedRectPath(c, bounds, view.cornerRadius);
    cairo_set_source_rgba(c, bg.red(), bg.green(), bg.blue(), bg.alpha());
    cairo_fill(c);
  }
  if (view.clips) {
    cairo_save(c);
    roundedRectPath(c, bounds, view.cornerRadius);
    cairo_clip(c);
  }
  if (const auto* blur = std::get_if<BlurContent>(&view.content)) {
    drawBlur(view, *blur);
  } else if (const auto* image = std::get_if<ImageContent>(&view.content)) {
    cairo::paintImage(c, *image->image->CGImage(), image->rect, image->image->imageOrientation(), 1,
                      CAIRO_OPERATOR_OVER);
  } else if (const auto* text = std::get_if<TextContent>(&view.content)) {
    paintLabelText(c, fonts_, *text, bounds);
  } else if (const auto* slider = std::get_if<SliderContent>(&view.content)) {
    drawSlider(*slider);
  } else if (const auto* video = std::get_if<VideoContent>(&view.content)) {
    video->video->drawFrame(c, bounds, video->frame);
  }
  const std::size_t end = at + 1 + view.descendants;
  for (std::size_t child = at + 1; child < end;) child = drawView(views, child);
  if (view.clips) cairo_restore(c);

  if (view.border) {
    const UIColor& color = view.border->color;
    double border = view.border->width;
    roundedRectPath(c, CGRectInset(bounds, border / 2, border / 2), view.cornerRadius - border / 2);
    cairo_set_line_width(c, border);
    cairo_set_source_rgba(c, color.red(), color.green(), color.blue(), color.alpha());
    cairo_stroke(c);
  }
  return end;
}

}  // namespace platform
