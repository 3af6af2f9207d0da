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
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/visual_effect_view.h"

namespace platform {

namespace {

double usableAlpha(double alpha) {
  if (!(alpha > 0)) return 0;  // NaN too
  return std::min(alpha, 1.0);
}

bool hasShadow(const UIView& view) {
  const CALayer& layer = view.layer();
  return layer.shadowOpacity() > 0 && layer.shadowColor() && layer.shadowColor()->alpha() > 0;
}

CGRect boundingBoxInSuperview(CGRect local, const ViewPresentation& p) {
  // Local point q lands at centre + T(q - bounds origin - half the size).
  CGAffineTransform toSuper = CGAffineTransformConcat(
      CGAffineTransformMakeTranslation(-p.bounds.origin.x - p.bounds.size.width / 2,
                                       -p.bounds.origin.y - p.bounds.size.height / 2),
      CGAffineTransformConcat(p.transform, CGAffineTransformMakeTranslation(p.center.x, p.center.y)));
  return CGRectApplyAffineTransform(local, toSuper);
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

ViewPainter::ViewPainter(cairo_t* cr, FontCache& fonts, SurfacePool& surfaces, std::optional<Nanos> time,
                         BlurCache* blurs)
    : fonts_(fonts), surfaces_(surfaces), blurs_(blurs), time_(time), screen_(cairo_get_target(cr)) {
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

ViewPresentation ViewPainter::presentationOf(const UIView& view) const {
  return time_ ? view.presentation(*time_) : view.model();
}

float ViewPainter::sliderValueOf(const UISlider& slider) const {
  return time_ ? slider.presentationValue(*time_) : slider.value();
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

void ViewPainter::drawView(const std::shared_ptr<UIView>& view, int depth) {
  if (!view || depth > kDeepestView || view->isHidden()) return;
  ViewPresentation p = presentationOf(*view);
  double alpha = usableAlpha(p.alpha);
  if (alpha <= 0 || !isFinite(p.center) || !cairo::isDrawable(p.bounds) || !isFinite(p.transform)) return;

  cairo_matrix_t current, toSuper, shift, local, full;
  cairo_get_matrix(cr(), &current);
  cairo_matrix_init(&toSuper, p.transform.a, p.transform.b, p.transform.c, p.transform.d,
                    p.transform.tx + p.center.x, p.transform.ty + p.center.y);
  cairo_matrix_init_translate(&shift, -(p.bounds.origin.x + p.bounds.size.width / 2),
                              -(p.bounds.origin.y + p.bounds.size.height / 2));
  cairo_matrix_multiply(&local, &shift, &toSuper);
  cairo_matrix_multiply(&full, &local, &current);
  if (!cairo::isUsableMatrix(full)) return;

  cairo_save(cr());
  cairo_set_matrix(cr(), &full);
  if (alpha < 1 || hasShadow(*view))
    drawOffscreen(view, p, alpha, depth);
  else
    drawContents(view, p, depth);
  cairo_restore(cr());
}

void ViewPainter::drawInPlace(const std::shared_ptr<UIView>& view) {
  if (!view || view->isHidden()) return;
  ViewPresentation p = presentationOf(*view);
  if (!cairo::isDrawable(p.bounds)) return;
  cairo_save(cr());
  drawContents(view, p, 0);
  cairo_restore(cr());
}

void ViewPainter::drawOffscreen(const std::shared_ptr<UIView>& view, const ViewPresentation& p, double alpha,
                                int depth) {
  DeviceBox box = deviceBoxOf(extentOf(view, p, depth));
  if (box.width == 0) return;
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
  drawContents(view, p, depth);
  targets_.pop_back();
  group.reset();
  cairo_surface_flush(surface.get());

  if (hasShadow(*view)) drawShadow(*view, p, surface.get(), box, alpha);
  cairo_save(cr());
  cairo_identity_matrix(cr());
  cairo_set_source_surface(cr(), surface.get(), box.x - targets_.back().x0, box.y - targets_.back().y0);
  cairo_paint_with_alpha(cr(), alpha);
  cairo_restore(cr());
}

void ViewPainter::drawContents(const std::shared_ptr<UIView>& view, const ViewPresentation& p, int depth) {
  CGRect bounds = CGRectStandardize(p.bounds);
  const CALayer& layer = view->layer();
  cairo_t* c = cr();
  if (p.backgroundColor && p.backgroundColor->alpha() > 0) {
    const UIColor& bg = *p.backgroundColor;
    roundedRectPath(c, bounds, layer.cornerRadius());
    cairo_set_source_rgba(c, bg.red(), bg.green(), bg.blue(), bg.alpha());
    cairo_fill(c);
  }
  bool clips = layer.masksToBounds();
  if (clips) {
    cairo_save(c);
    roundedRectPath(c, bounds, layer.cornerRadius());
    cairo_clip(c);
  }
  if (auto effect = std::dynamic_pointer_cast<UIVisualEffectView>(view)) drawBlur(*effect, bounds);
  if (auto image = std::dynamic_pointer_cast<UIImageView>(view)) drawImageView(*image, bounds);
  if (auto label = std::dynamic_pointer_cast<UILabel>(view)) paintLabelText(c, fonts_, *label, bounds);
  if (auto slider = std::dynamic_pointer_cast<UISlider>(view)) drawSlider(slider, bounds);
  if (auto video = std::dynamic_pointer_cast<VideoView>(view)) video->drawFrame(c, bounds, video->frameShownAt(time_));
  for (const auto& child : std::vector<UIView::Ptr>(view->subviews())) drawView(child, depth + 1);
  if (clips) cairo_restore(c);

  double border = layer.borderWidth();
  if (border > 0 && std::isfinite(border) && layer.borderColor() && layer.borderColor()->alpha() > 0) {
    const UIColor& color = *layer.borderColor();
    border = std::min(border, std::min(bounds.size.width, bounds.size.height) / 2);
    roundedRectPath(c, CGRectInset(bounds, border / 2, border / 2), layer.cornerRadius() - border / 2);
    cairo_set_line_width(c, border);
    cairo_set_source_rgba(c, color.red(), color.green(), color.blue(), color.alpha());
    cairo_stroke(c);
  }
}

CGRect ViewPainter::extentOf(const std::shared_ptr<UIView>& view, const ViewPresentation& p,
                             int depth) const {
  CGRect extent = CGRectStandardize(p.bounds);
  if (auto label = std::dynamic_pointer_cast<UILabel>(view)) {
    double size = label->font().pointSize;  // tall glyphs may reach past a short label
    if (std::isfinite(size) && size > 0) extent = CGRectInset(extent, 0, -std::min(size, 1000.0));
  }
  if (auto slider = std::dynamic_pointer_cast<UISlider>(view)) {
    CGRect track = sliderTrackRect(slider, p.bounds);
    extent = CGRectUnion(extent, track);
    extent = CGRectUnion(extent, sliderThumbRect(slider, p.bounds, track, sliderValueOf(*slider)));
    extent = CGRectUnion(extent, sliderMinimumValueImageRect(slider, p.bounds));
    extent = CGRectUnion(extent, sliderMaximumValueImageRect(slider, p.bounds));
  }
  if (view->layer().masksToBounds() || depth > kDeepestView) return extent;
  for (const auto& child : view->subviews()) {
    if (child->isHidden()) continue;
    ViewPresentation cp = presentationOf(*child);
    if (!isFinite(cp.center) || !cairo::isDrawable(cp.bounds) || !isFinite(cp.transform)) continue;
    CGRect childExtent = boundingBoxInSuperview(extentOf(child, cp, depth + 1), cp);
    if (cairo::isDrawable(childExtent)) extent = CGRectUnion(extent, childExtent);
  }
  return extent;
}

}  // namespace platform
