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

ContactSheet::ContactSheet(int columns, int thumbWidth, std::size_t mostCells)
    : columns_(std::clamp(columns, 1, 16)),
      thumbWidth_(std::clamp(thumbWidth, 16, 1024)),
      mostCells_(std::max<std::size_t>(mostCells, 2)) {}

bool ContactSheet::wantsNext() const { return seen_ % stride_ == 0; }

namespace {

// Averages every k x k square into one pixel: most of a thumbnail's shrinking at the cost of one read of the
// frame, leaving cairo's filter only the last, small step.
CGImageRef shrinkBy(const CGImage& frame, int k) {
  int width = frame.width() / k, height = frame.height() / k;
  std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(width) * 4);
  const auto& pixels = frame.pixels();
  const std::uint32_t area = static_cast<std::uint32_t>(k * k);
  for (int y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int dy = 0; dy < k; ++dy) {
      const std::uint32_t* row = pixels.data() + static_cast<std::size_t>(y * k + dy) * frame.width();
      for (int x = 0; x < width; ++x)
        for (int dx = 0; dx < k; ++dx) {
          std::uint32_t p = row[x * k + dx];
          std::uint32_t* s = &sums[static_cast<std::size_t>(x) * 4];
          s[0] += p >> 24, s[1] += (p >> 16) & 0xff, s[2] += (p >> 8) & 0xff, s[3] += p & 0xff;
        }
    }
    for (int x = 0; x < width; ++x) {
      const std::uint32_t* s = &sums[static_cast<std::size_t>(x) * 4];
      auto average = [&](int c) { return (s[c] + area / 2) / area; };
      out[static_cast<std::size_t>(y) * width + x] =
          (average(0) << 24) | (average(1) << 16) | (average(2) << 8) | average(3);
    }
  }
  return CGImage::make(width, height, std::move(out));
}

}  // namespace

CGImageRef ContactSheet::thumbnailOf(const CGImage& frame) const {
  if (frame.width() <= 0 || frame.height() <= 0) return nullptr;
  double s = double(thumbWidth_) / frame.width();
  int height = std::clamp(static_cast<int>(std::ceil(frame.height() * s)), 1, 4 * thumbWidth_);
  CGImageRef shrunk;
  if (int k = frame.width() / thumbWidth_; k >= 2) shrunk = shrinkBy(frame, k);
  const CGImage& source = shrunk ? *shrunk : frame;
  cairo::SurfacePtr thumb = cairo::makeSurface(thumbWidth_, height);
  cairo::SurfacePtr pixels = cairo::wrapImage(source);
  cairo::ContextPtr cr(cairo_create(thumb.get()));
  cairo_scale(cr.get(), double(thumbWidth_) / source.width(), double(thumbWidth_) / source.width());
  cairo_set_source_surface(cr.get(), pixels.get(), 0, 0);
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
  // Through fontconfig as the renderer resolves fonts: cairo's own font selection keeps fontconfig
  // patterns alive after the sheet is done.
  FontCache fonts;
  cairo_set_font_face(cr.get(), fonts.face("DejaVu Sans"));
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
