#pragma once
// A contact sheet: every captured frame, scaled down in a grid, each labelled with its name and time.
#include <string>
#include <vector>

#include "platform/graphics/image.h"

namespace platform {

struct SheetItem {
  CGImageRef image;
  std::string label;
};

// `thumbWidth` in pixels; the height follows each frame's aspect. Nil frames leave an empty cell.
CGImageRef composeContactSheet(const std::vector<SheetItem>& items, int columns = 4, int thumbWidth = 240);

}  // namespace platform
