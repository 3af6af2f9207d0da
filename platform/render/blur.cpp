#include "platform/render/blur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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

// Division by the box width, as a multiplication: for every sum a box of a few hundred pixels of 255
// can reach, floor(n * ceil(2^32 / w) / 2^32) is exactly floor(n / w).
class Divider {
 public:
  explicit Divider(int window)
      : half_(static_cast<std::uint64_t>(window / 2)),
        inverse_(((std::uint64_t{1} << 32) + static_cast<std::uint64_t>(window) - 1) / static_cast<std::uint64_t>(window)) {}
  unsigned char rounded(long sum) const {
    return static_cast<unsigned char>(((static_cast<std::uint64_t>(sum) + half_) * inverse_) >> 32);
  }

 private:
  std::uint64_t half_;
  std::uint64_t inverse_;
};

// One box pass along each row: every channel of a pixel at once, from a copy of the row.
template <int Channels>
void horizontalPass(unsigned char* data, int width, int height, std::ptrdiff_t stride, int radius, bool clampEdges,
                    std::vector<unsigned char>& scratch) {
  const Divider divide(2 * radius + 1);
  scratch.resize(static_cast<std::size_t>(width) * Channels);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = data + y * stride;
    std::copy(row, row + static_cast<std::ptrdiff_t>(width) * Channels, scratch.begin());
    const unsigned char* in = scratch.data();
    auto sample = [&](int i, int c) -> int {
      if (i < 0) return clampEdges ? in[c] : 0;
      if (i >= width) return clampEdges ? in[(width - 1) * Channels + c] : 0;
      return in[i * Channels + c];
    };
    long sum[Channels];
    for (int c = 0; c < Channels; ++c) {
      sum[c] = 0;
      for (int i = -radius; i <= radius; ++i) sum[c] += sample(i, c);
    }
    // Where the whole box lies inside the row, no edge needs minding.
    const int firstInside = std::min(radius, width), lastInside = std::max(firstInside, width - radius - 1);
    int x = 0;
    for (; x < firstInside; ++x)
      for (int c = 0; c < Channels; ++c) {
        row[x * Channels + c] = divide.rounded(sum[c]);
        sum[c] += sample(x + radius + 1, c) - sample(x - radius, c);
      }
    for (; x < lastInside; ++x) {
      const unsigned char* entering = in + (x + radius + 1) * Channels;
      const unsigned char* leaving = in + (x - radius) * Channels;
      for (int c = 0; c < Channels; ++c) {
        row[x * Channels + c] = divide.rounded(sum[c]);
        sum[c] += entering[c] - leaving[c];
      }
    }
    for (; x < width; ++x)
      for (int c = 0; c < Channels; ++c) {
        row[x * Channels + c] = divide.rounded(sum[c]);
        sum[c] += sample(x + radius + 1, c) - sample(x - radius, c);
      }
  }
}

// The same down each column, done a row at a time (so memory is read in order) from a copy of the surface.
void verticalPass(unsigned char* data, int rowBytes, int height, std::ptrdiff_t stride, int radius,
                  bool clampEdges, std::vector<unsigned char>& copy, std::vector<long>& sums) {
  const Divider divide(2 * radius + 1);
  const std::size_t bytes = static_cast<std::size_t>(rowBytes);
  copy.resize(bytes * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) std::copy(data + y * stride, data + y * stride + rowBytes, copy.begin() + y * bytes);
  auto row = [&](int i) -> const unsigned char* {
    if (i < 0) return clampEdges ? copy.data() : nullptr;
    if (i >= height) return clampEdges ? copy.data() + (height - 1) * bytes : nullptr;
    return copy.data() + i * bytes;
  };
  sums.assign(bytes, 0);
  for (int i = -radius; i <= radius; ++i)
    if (const unsigned char* r = row(i))
      for (std::size_t k = 0; k < bytes; ++k) sums[k] += r[k];
  for (int y = 0; y < height; ++y) {
    unsigned char* out = data + y * stride;
    for (std::size_t k = 0; k < bytes; ++k) out[k] = divide.rounded(sums[k]);
    const unsigned char* entering = row(y + radius + 1);
    const unsigned char* leaving = row(y - radius);
    if (entering)
      for (std::size_t k = 0; k < bytes; ++k) sums[k] += entering[k];
    if (leaving)
      for (std::size_t k = 0; k < bytes; ++k) sums[k] -= leaving[k];
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
  std::vector<long> sums;
  for (int radius : boxRadii(sigma)) {
    if (radius <= 0) continue;
    if (channels == 4)
      horizontalPass<4>(data, width, height, stride, radius, clampEdges, scratch);
    else
      horizontalPass<1>(data, width, height, stride, radius, clampEdges, scratch);
    verticalPass(data, width * channels, height, stride, radius, clampEdges, scratch, sums);
  }
  cairo_surface_mark_dirty(surface);
}

}  // namespace platform
