#include "platform/render/contact_sheet.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/cairo_bridge.h"

namespace platform {

namespace {
constexpr int kMargin = 16;
constexpr int kLabelHeight = 22;
}  // namespace

ContactSheet::ContactSheet(int columns, int thumbWidth, std::size_t mostCells)
    : columns_(std::clamp(columns, 1, 16)),
      thumbWidth_(std::clamp(thumbWidth, 16, 1024)),
      mostCells_(std::max<std::size_t>(mostCells, 2)) {}

bool ContactSheet::wantsNext() const { return seen_ % stride_ == 0; }

CGImageRef ContactSheet::thumbnailOf(const CGImage& frame) const {
  if (frame.width() <= 0 || frame.height() <= 0) return nullptr;
  double s = double(thumbWidth_) / frame.width();
  int height = std::clamp(static_cast<int>(std::ceil(frame.height() * s)), 1, 4 * thumbWidth_);
  cairo::SurfacePtr thumb = cairo::makeSurface(thumbWidth_, height);
  cairo::SurfacePtr source = cairo::wrapImage(frame);
  cairo::ContextPtr cr(cairo_create(thumb.get()));
  cairo_scale(cr.get(), s, s);
  cairo_set_source_surface(cr.get(), source.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
  cairo_paint(cr.get());
  cr.reset();
  return cairo::snapshot(thumb.get());
}

void ContactSheet::add(const CGImageRef& frame, std::string label) {
  std::size_t index = seen_++;
  if (index % stride_ != 0) return;
  items_.push_back({frame ? thumbnailOf(*frame) : nullptr, std::move(label), index});
  if (items_.size() <= mostCells_) return;
  stride_ *= 2;
  std::erase_if(items_, [this](const Item& item) { return item.index % stride_ != 0; });
}

CGImageRef ContactSheet::compose() const {
  if (items_.empty()) return nullptr;
  int thumbHeight = thumbWidth_;
  for (const auto& item : items_)
    if (item.thumbnail) thumbHeight = std::max(thumbHeight, item.thumbnail->height());
  int count = static_cast<int>(items_.size());
  int rows = (count + columns_ - 1) / columns_;
  int width = kMargin + std::min(columns_, count) * (thumbWidth_ + kMargin);
  int height = kMargin + rows * (thumbHeight + kLabelHeight + kMargin);
  if (!isAcceptableImageSize(width, height)) return nullptr;

  cairo::SurfacePtr surface = cairo::makeSurface(width, height);
  cairo::ContextPtr cr(cairo_create(surface.get()));
  cairo_set_source_rgb(cr.get(), 0.93, 0.93, 0.95);
  cairo_paint(cr.get());
  cairo_select_font_face(cr.get(), "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr.get(), 13);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    double x = kMargin + static_cast<double>(i % columns_) * (thumbWidth_ + kMargin);
    double y = kMargin + static_cast<double>(i / columns_) * (thumbHeight + kLabelHeight + kMargin);
    const auto& item = items_[i];
    if (item.thumbnail) {
      cairo::SurfacePtr thumb = cairo::wrapImage(*item.thumbnail);
      cairo_set_source_surface(cr.get(), thumb.get(), x, y);
      cairo_paint(cr.get());
    }
    cairo_set_source_rgb(cr.get(), 0.1, 0.1, 0.12);
    cairo_move_to(cr.get(), x, y + thumbHeight + 16);
    cairo_show_text(cr.get(), item.label.c_str());
  }
  return cairo::snapshot(surface.get());
}

}  // namespace platform
