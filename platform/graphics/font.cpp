#include "platform/graphics/font.h"

#include <cmath>

namespace platform {

UIFont UIFont::fontWithName(std::string name, double size) {
  // UIKit answers a 12 point font for sizes it cannot use.
  if (!std::isfinite(size) || size < 0) size = 12;
  return UIFont{std::move(name), size};
}

UIFont UIFont::systemFontOfSize(double size) {
  return fontWithName(kSystemFontName, size);
}

UIFont UIFont::boldSystemFontOfSize(double size) {
  return fontWithName(kBoldSystemFontName, size);
}

}  // namespace platform
