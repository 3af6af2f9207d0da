#pragma once
// A fixed shade laid over every frame after its windows, such as the display's outline: for some pixels,
// the share of their light that passes. The renderer applies it wherever it redraws, so a frame is the
// whole frame shaded afterwards, without copying it.
#include <cstdint>
#include <vector>

namespace platform {

struct PixelBox;

class ScreenShade {
 public:
  ScreenShade(int width, int height) : width_(width), height_(height) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return spans_.empty(); }

  // `passes`: from 0 (black) to 1 (untouched), kept in 256ths. Each pixel is added once; pixels outside
  // the frame are ignored. Added row by row, left to right, neighbours that pass alike share one span.
  void add(int x, int y, double passes);
  // Shades the pixels of `box` in a premultiplied ARGB frame of this size, `stride` pixels a row.
  void applyTo(std::uint32_t* pixels, int stride, const PixelBox& box) const;

 private:
  struct Span {
    int y, x, length;
    std::uint32_t passes;  // in 256ths
  };
  int width_, height_;
  std::vector<Span> spans_;  // by row, then column; never overlapping
};

}  // namespace platform
