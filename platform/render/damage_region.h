#pragma once
// Whole-pixel rectangles of a frame and the region a frame must redraw: a short list of boxes, merged
// when they overlap so that the list stays small. Private to platform/.
#include <vector>

namespace platform {

struct PixelBox {
  int x = 0, y = 0, width = 0, height = 0;

  bool empty() const { return width <= 0 || height <= 0; }
  bool intersects(const PixelBox& other) const;
  bool contains(const PixelBox& other) const;
  PixelBox united(const PixelBox& other) const;
  PixelBox inflated(int by) const;
  PixelBox clippedTo(int screenWidth, int screenHeight) const;
  bool operator==(const PixelBox&) const = default;
};

class DamageRegion {
 public:
  static DamageRegion whole(int width, int height);

  void add(const PixelBox& box);
  void add(const DamageRegion& other);
  bool empty() const { return boxes_.empty(); }
  bool intersects(const PixelBox& box) const;
  bool contains(const PixelBox& box) const;
  const std::vector<PixelBox>& boxes() const { return boxes_; }

 private:
  // Past this many separate boxes the region becomes their bounding box: clipping to many small boxes
  // costs more than drawing a little more.
  static constexpr std::size_t kMostBoxes = 8;
  std::vector<PixelBox> boxes_;
};

}  // namespace platform
