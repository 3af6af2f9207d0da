#include "platform/render/blur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace platform {

namespace {

constexpr double kLargestSigma = 200;

// Widths of three boxes whose succession approximates a Gaussian of this sigma.
std::array<int, 3> boxRadii(double sigma) {
  double ideal = std::sqrt(12 * sigma * sigma / 3 + 1);
  int lower = static_cast<int>(std::floor(ideal));  // sigma is finite and capped
  if (lower % 2 == 0) --lower;
  int upper = lower + 2;
  double m = std::round((12 * sigma * sigma - 3.0 * lower * lower - 12.0 * lower - 9) / (-4.0 * lower - 4));
  std::array<int, 3> radii{};
  for (int i = 0; i < 3; ++i) radii[static_cast<std::size_t>(i)] = ((i < m ? lower : upper) - 1) / 2;
  return radii;
}

// One box pass over `count` samples spaced `step` apart.
void boxPass(unsigned char* first, int count, std::ptrdiff_t step, int radius, bool clampEdges,
             std::vector<unsigned char>& scratch) {
  if (count <= 0 || radius <= 0) return;
  scratch.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) scratch[static_cast<std::size_t>(i)] = first[i * step];
  auto sample = [&](int i) -> int {
    if (i < 0) return clampEdges ? scratch.front() : 0;
    if (i >= count) return clampEdges ? scratch.back() : 0;
    return scratch[static_cast<std::size_t>(i)];
  };
  int width = 2 * radius + 1;
  long sum = 0;
  for (int i = -radius; i <= radius; ++i) sum += sample(i);
  for (int i = 0; i < count; ++i) {
    first[i * step] = static_cast<unsigned char>((sum + width / 2) / width);
    sum += sample(i + radius + 1) - sample(i - radius);
  }
}

}  // namespace

void blurSurface(cairo_surface_t* surface, double sigma, bool clampEdges) {
  if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return;
  if (!(sigma >= 0.5)) return;  // nothing visible, or NaN
  sigma = std::min(sigma, kLargestSigma);
  cairo_format_t format = cairo_image_surface_get_format(surface);
  int channels = format == CAIRO_FORMAT_ARGB32 ? 4 : format == CAIRO_FORMAT_A8 ? 1 : 0;
  if (channels == 0) return;
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  std::ptrdiff_t stride = cairo_image_surface_get_stride(surface);
  if (!data || width <= 0 || height <= 0) return;
  std::vector<unsigned char> scratch;
  for (int radius : boxRadii(sigma)) {
    for (int c = 0; c < channels; ++c) {
      for (int y = 0; y < height; ++y)
        boxPass(data + y * stride + c, width, channels, radius, clampEdges, scratch);
      for (int x = 0; x < width; ++x)
        boxPass(data + x * channels + c, height, stride, radius, clampEdges, scratch);
    }
  }
  cairo_surface_mark_dirty(surface);
}

}  // namespace platform
