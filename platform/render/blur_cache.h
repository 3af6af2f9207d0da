#pragma once
// Blurs that were made before: a shadow or a backdrop that did not change since the last frame gives the same
// blurred pixels, so they are copied instead of computed again. Keyed by the whole input, so a hit is exact.
// Private to platform/.
#include <cairo.h>

#include <cstddef>
#include <vector>

namespace platform {

class BlurCache {
 public:
  // As blurSurface, in place.
  void blur(cairo_surface_t* surface, double sigma, bool clampEdges);

 private:
  struct Entry {
    cairo_format_t format;
    int width, height;
    double sigma;
    bool clampEdges;
    std::vector<unsigned char> input, output;  // rows without padding
    std::size_t lastUse = 0;
  };
  static constexpr std::size_t kMostEntries = 6;
  std::vector<Entry> entries_;
  std::size_t uses_ = 0;
};

}  // namespace platform
