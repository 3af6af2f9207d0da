#include "platform/uikit/content/still_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "platform/graphics/cairo_bridge.h"
#include "platform/uikit/content/landscape_layers.h"

namespace platform {

namespace {

std::uint32_t hashOf(std::uint32_t x, std::uint32_t y) {
  std::uint32_t h = x * 374761393u + y * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

// Film grain: every point of the screen a little lighter or darker, the same amount in each channel. Grain
// per point rather than per pixel keeps frames showing the photo a third as large at three pixels a point.
void addGrain(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int grain = std::max(1, width / 375);  // pixels a grain, as the photo is laid out in points
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      int n = static_cast<int>(hashOf(static_cast<std::uint32_t>(x / grain), static_cast<std::uint32_t>(y / grain)) % 9) - 4;
      std::uint32_t p = row[x];
      auto channel = [&](int shift) {
        int c = std::clamp(static_cast<int>((p >> shift) & 0xff) + n, 0, 255);
        return static_cast<std::uint32_t>(c) << shift;
      };
      row[x] = 0xff000000u | channel(16) | channel(8) | channel(0);  // the photo is opaque
    }
  }
  cairo_surface_mark_dirty(surface);
}

void strokeStreet(cairo_t* cr, double x0, double y0, double x1, double y1, double width, double casing) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_set_source_rgb(cr, 0.80, 0.78, 0.74);
  cairo_set_line_width(cr, width + casing);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_set_line_width(cr, width);
  cairo_stroke(cr);
}

}  // namespace

CGImageRef drawPhoto(int width, int height) {
  LandscapeLayers layers = drawLandscapeLayers(width, height);
  cairo::SurfacePtr photo(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, layers.width, layers.height));
  {
    cairo::ContextPtr cr(cairo_create(photo.get()));
    paintLandscape(cr.get(), layers, 0);
  }
  addGrain(photo.get());
  return cairo::snapshot(photo.get(), true);
}

CGImageRef drawMap(int width, int height) {
  cairo::SurfacePtr map(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 1), std::max(height, 1)));
  cairo::ContextPtr owner(cairo_create(map.get()));
  cairo_t* cr = owner.get();
  const double u = std::max(width, 1) / 375.0;  // the map is laid out in points of a 375-point screen
  cairo_scale(cr, u, u);
  const double w = 375, h = height / u;
  cairo_set_source_rgb(cr, 0.94, 0.92, 0.88);
  cairo_paint(cr);

  // The street grid, turned a little, with a few blocks built up and two parks.
  cairo_save(cr);
  cairo_translate(cr, w / 2, h / 2);
  cairo_rotate(cr, 0.21);
  const double block = 62, reach = std::max(w, h);
  for (int i = -12; i <= 12; ++i)
    for (int j = -12; j <= 12; ++j) {
      std::uint32_t kind = hashOf(static_cast<std::uint32_t>(i + 100), static_cast<std::uint32_t>(j + 100)) % 9;
      double x = i * block + 6, y = j * block + 6, side = block - 12;
      if (kind == 0) cairo_set_source_rgb(cr, 0.74, 0.87, 0.66);  // a park
      else if (kind < 4) cairo_set_source_rgb(cr, 0.88, 0.85, 0.80);
      else continue;
      cairo_rectangle(cr, x, y, side, side);
      cairo_fill(cr);
    }
  for (int i = -12; i <= 12; ++i) {
    double thin = i % 4 == 0 ? 9 : 5;
    strokeStreet(cr, i * block, -reach, i * block, reach, thin, 2);
    strokeStreet(cr, -reach, i * block, reach, i * block, thin, 2);
  }
  cairo_restore(cr);

  // A river across the whole map, with its banks.
  cairo_move_to(cr, -20, 0.30 * h);
  cairo_curve_to(cr, 0.30 * w, 0.20 * h, 0.55 * w, 0.62 * h, w + 20, 0.52 * h);
  cairo_set_line_width(cr, 40);
  cairo_set_source_rgb(cr, 0.62, 0.78, 0.90);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 34);
  cairo_set_source_rgb(cr, 0.67, 0.82, 0.94);
  cairo_stroke(cr);

  // A highway from corner to corner, over the river.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_move_to(cr, -20, 0.92 * h);
  cairo_curve_to(cr, 0.35 * w, 0.65 * h, 0.60 * w, 0.20 * h, w + 20, 0.05 * h);
  cairo_set_source_rgb(cr, 0.86, 0.58, 0.22);
  cairo_set_line_width(cr, 14);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgb(cr, 0.99, 0.80, 0.40);
  cairo_set_line_width(cr, 10);
  cairo_stroke(cr);

  // A pin where the map is centred.
  double px = 0.42 * w, py = 0.46 * h;
  cairo_arc(cr, px, py, 11, 0, 2 * std::numbers::pi);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_fill(cr);
  cairo_arc(cr, px, py, 8, 0, 2 * std::numbers::pi);
  cairo_set_source_rgb(cr, 0.20, 0.47, 0.96);
  cairo_fill(cr);
  owner.reset();
  return cairo::snapshot(map.get(), true);
}

}  // namespace platform
