#include "platform/render/blur_cache.h"

#include <algorithm>
#include <cstring>

#include "platform/render/blur.h"

namespace platform {

namespace {

void copyRows(const unsigned char* from, std::ptrdiff_t fromStride, unsigned char* to, std::ptrdiff_t toStride,
              int rowBytes, int rows) {
  for (int y = 0; y < rows; ++y) std::memcpy(to + y * toStride, from + y * fromStride, static_cast<std::size_t>(rowBytes));
}

bool sameRows(const unsigned char* data, std::ptrdiff_t stride, const std::vector<unsigned char>& kept, int rowBytes,
              int rows) {
  for (int y = 0; y < rows; ++y)
    if (std::memcmp(data + y * stride, kept.data() + static_cast<std::size_t>(y) * rowBytes, static_cast<std::size_t>(rowBytes)) != 0)
      return false;
  return true;
}

}  // namespace

void BlurCache::blur(cairo_surface_t* surface, double sigma, bool clampEdges) {
  if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return;
  cairo_surface_flush(surface);
  cairo_format_t format = cairo_image_surface_get_format(surface);
  int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  std::ptrdiff_t stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int bytesPerPixel = format == CAIRO_FORMAT_ARGB32 ? 4 : format == CAIRO_FORMAT_A8 ? 1 : 0;
  if (!data || bytesPerPixel == 0 || width <= 0 || height <= 0) {
    blurSurface(surface, sigma, clampEdges);
    return;
  }
  int rowBytes = width * bytesPerPixel;
  ++uses_;
  for (auto& e : entries_) {
    if (e.format != format || e.width != width || e.height != height || e.sigma != sigma || e.clampEdges != clampEdges ||
        !sameRows(data, stride, e.input, rowBytes, height))
      continue;
    copyRows(e.output.data(), rowBytes, data, stride, rowBytes, height);
    cairo_surface_mark_dirty(surface);
    e.lastUse = uses_;
    return;
  }
  Entry entry{format, width, height, sigma, clampEdges, {}, {}, uses_};
  entry.input.resize(static_cast<std::size_t>(rowBytes) * height);
  copyRows(data, stride, entry.input.data(), rowBytes, rowBytes, height);
  blurSurface(surface, sigma, clampEdges);
  cairo_surface_flush(surface);
  entry.output.resize(entry.input.size());
  copyRows(data, stride, entry.output.data(), rowBytes, rowBytes, height);
  if (entries_.size() >= kMostEntries)
    entries_.erase(std::min_element(entries_.begin(), entries_.end(),
                                    [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; }));
  entries_.push_back(std::move(entry));
}

}  // namespace platform
