#include "platform/uikit/label.h"

#include <cmath>

#include "platform/device/process.h"
#include "platform/render/font_cache.h"
#include "platform/render/text_painter.h"

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

UILabel::UILabel(rt::Class& cls) : UIView(cls) {
  setUserInteractionEnabled(false);
}

CGSize UILabel::sizeThatFits(CGSize) const {
  if (text_.empty()) return CGSizeZero;
  CGSize measured = measureText(process().service<FontCache>(), text_, font_);
  return {std::ceil(measured.width), std::ceil(measured.height)};
}

void UILabel::sizeToFit() {
  setFrame(CGRect{frame().origin, sizeThatFits(bounds().size)});
}

}  // namespace platform
