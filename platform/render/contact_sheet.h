#pragma once
// A contact sheet: captured frames scaled down in a grid, each labelled with its name and time. Thumbnails
// are made as frames arrive and the full-size frames are not kept, so a sheet costs the same memory for ten
// frames as for ten thousand: past what one sheet can show, every other frame is dropped and only every
// second, fourth, ... frame from then on is taken, so the sheet always spans the whole run evenly.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/graphics/image.h"

namespace platform {

class ContactSheet {
 public:
  // `thumbWidth` in pixels; the height follows each frame's aspect.
  explicit ContactSheet(int columns = 4, int thumbWidth = 220, std::size_t mostCells = 64);

  // Whether the next frame added will be kept (the caller may skip making it otherwise).
  bool wantsNext() const;
  // A nil or empty frame leaves an empty cell.
  void add(const CGImageRef& frame, std::string label);
  // A frame that will not be shown still counts, so that the sheet stays evenly spaced.
  void skip() { ++seen_; }

  std::size_t framesSeen() const { return seen_; }
  std::size_t cells() const { return items_.size(); }
  // Nothing when no frame was kept or the sheet would be too large.
  CGImageRef compose() const;

 private:
  struct Item {
    CGImageRef thumbnail;
    std::string label;
    std::size_t index;
  };
  CGImageRef thumbnailOf(const CGImage& frame) const;

  int columns_;
  int thumbWidth_;
  std::size_t mostCells_;
  std::size_t stride_ = 1;
  std::size_t seen_ = 0;
  std::vector<Item> items_;
};

}  // namespace platform
