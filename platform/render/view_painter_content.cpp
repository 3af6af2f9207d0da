// What ViewPainter draws inside a view: layer shadows, blur effects and sliders.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/graphics/cairo_bridge.h"
#include "platform/render/blur.h"
#include "platform/render/surface_pool.h"
#include "platform/render/view_painter.h"

namespace platform {

namespace {

// How strongly the effect blurs, in points, and the tint each style lays over the blurred backdrop.
constexpr double kBlurSigmaPoints = 10;

UIColor tintFor(UIBlurEffectStyle style) {
  switch (style) {
    case UIBlurEffectStyleExtraLight:
    case UIBlurEffectStyleProminent:
      return UIColor::colorWithWhite(0.97, 0.8);
    case UIBlurEffectStyleDark:
      return UIColor::colorWithWhite(0.11, 0.73);
    default:
      return UIColor::colorWithWhite(0.97, 0.6);
  }
}

}  // namespace

CGRect imageRectInBounds(CGRect bounds, CGSize image, UIViewContentMode mode) {
  if (!(image.width > 0) || !(image.height > 0)) return bounds;
  double sx = bounds.size.width / image.width, sy = bounds.size.height / image.height;
  CGSize size = bounds.size;
  if (mode == UIViewContentModeScaleAspectFit)
    size = {image.width * std::min(sx, sy), image.height * std::min(sx, sy)};
  else if (mode == UIViewContentModeScaleAspectFill)
    size = {image.width * std::max(sx, sy), image.height * std::max(sx, sy)};
  else if (mode == UIViewContentModeCenter)
    size = image;
  else
    return bounds;
  return CGRectMake(CGRectGetMidX(bounds) - size.width / 2, CGRectGetMidY(bounds) - size.height / 2,
                    size.width, size.height);
}

namespace {

void paintImage(cairo_t* cr, const UIImagePtr& image, CGRect rect) {
  if (image)
    cairo::paintImage(cr, *image->CGImage(), rect, image->imageOrientation(), 1, CAIRO_OPERATOR_OVER);
}

void fillTrack(cairo_t* cr, CGRect rect, const UIColor& color) {
  if (!(rect.size.width > 0) || !(rect.size.height > 0)) return;
  roundedRectPath(cr, rect, rect.size.height / 2);
  cairo_set_source_rgba(cr, color.red(), color.green(), color.blue(), color.alpha());
  cairo_fill(cr);
}

// UIKit's own thumb: a white disc with a soft shadow.
void paintSystemThumb(cairo_t* cr, CGRect rect) {
  double radius = std::min(rect.size.width, rect.size.height) / 2;
  if (!(radius > 0)) return;
  double cx = CGRectGetMidX(rect), cy = CGRectGetMidY(rect);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy + 1, radius + 0.5, 0, 2 * std::numbers::pi);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.15);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, radius, 0, 2 * std::numbers::pi);
  cairo_set_source_rgba(cr, 1, 1, 1, 1);
  cairo_fill(cr);
}

}  // namespace

void ViewPainter::drawShadow(const ViewRecord& view, cairo_surface_t* content, const DeviceBox& box) {
  const LayerShadow& shadow = *view.shadow;
  double opacity = shadow.opacity * view.alpha;
  double sigma = std::min(shadow.radius * deviceScale(), kLargestShadowSigma);
  double dx = shadow.offset.width, dy = shadow.offset.height;
  cairo_user_to_device_distance(cr(), &dx, &dy);  // the offset turns with the layer

  int margin = static_cast<int>(std::ceil(3 * sigma)) + 1;
  SurfacePool::Lease mask = surfaces_.acquire(CAIRO_FORMAT_A8, box.width + 2 * margin, box.height + 2 * margin);
  {
    cairo::ContextPtr m(cairo_create(mask.get()));
    cairo_set_source_surface(m.get(), content, margin, margin);
    cairo_paint(m.get());
  }
  blur(mask.get(), sigma, false);

  cairo_save(cr());
  if (view.clips) {  // the layer's mask clips its own shadow too
    roundedRectPath(cr(), view.bounds, view.cornerRadius);
    cairo_clip(cr());
  }
  cairo_identity_matrix(cr());
  const UIColor& color = shadow.color;
  cairo_set_source_rgba(cr(), color.red(), color.green(), color.blue(), opacity);
  cairo_mask_surface(cr(), mask.get(), box.x - targets_.back().x0 - margin + dx,
                     box.y - targets_.back().y0 - margin + dy);
  cairo_restore(cr());
}

void ViewPainter::drawBlur(const ViewRecord& view, const BlurContent& effect) {
  DeviceBox box = deviceBoxOf(view.bounds);
  if (box.width > 0) {
    // What lies beneath: the screen so far, with every surface still being drawn laid over it.
    SurfacePool::Lease backdrop = surfaces_.acquire(CAIRO_FORMAT_ARGB32, box.width, box.height);
    {
      cairo::ContextPtr b(cairo_create(backdrop.get()));
      cairo_set_source_surface(b.get(), screen_, targets_.front().x0 - box.x, targets_.front().y0 - box.y);
      cairo_paint(b.get());
      for (std::size_t i = 1; i < targets_.size(); ++i) {
        cairo_set_source_surface(b.get(), cairo_get_target(targets_[i].cr), targets_[i].x0 - box.x,
                                 targets_[i].y0 - box.y);
        cairo_paint(b.get());
      }
    }
    blur(backdrop.get(), kBlurSigmaPoints * deviceScale(), true);
    cairo_save(cr());
    roundedRectPath(cr(), view.bounds, view.cornerRadius);
    cairo_clip(cr());
    cairo_identity_matrix(cr());
    cairo_set_source_surface(cr(), backdrop.get(), box.x - targets_.back().x0, box.y - targets_.back().y0);
    cairo_paint(cr());
    cairo_restore(cr());
  }
  UIColor tint = tintFor(effect.style);
  roundedRectPath(cr(), view.bounds, view.cornerRadius);
  cairo_set_source_rgba(cr(), tint.red(), tint.green(), tint.blue(), tint.alpha());
  cairo_fill(cr());
}

void ViewPainter::drawSlider(const SliderContent& slider) {
  cairo_t* c = cr();
  const CGRect track = slider.track, thumb = slider.thumb;
  paintImage(c, slider.minimumImage, slider.minimumImageRect);
  paintImage(c, slider.maximumImage, slider.maximumImageRect);

  // The minimum track runs from the track's start to the thumb's centre, the maximum track the rest.
  double split = std::clamp(CGRectGetMidX(thumb), CGRectGetMinX(track), CGRectGetMaxX(track));
  CGRect minimum = CGRectMake(track.origin.x, track.origin.y, split - track.origin.x, track.size.height);
  CGRect maximum = CGRectMake(split, track.origin.y, CGRectGetMaxX(track) - split, track.size.height);
  if (slider.minimumTrackImage)
    paintImage(c, slider.minimumTrackImage, minimum);
  else
    fillTrack(c, minimum, slider.minimumTrackColor);
  if (slider.maximumTrackImage)
    paintImage(c, slider.maximumTrackImage, maximum);
  else
    fillTrack(c, maximum, slider.maximumTrackColor);

  if (!(thumb.size.width > 0) || !(thumb.size.height > 0)) return;  // an empty thumb image: no thumb
  if (slider.thumbImage)
    paintImage(c, slider.thumbImage, thumb);
  else
    paintSystemThumb(c, thumb);
}

}  // namespace platform
