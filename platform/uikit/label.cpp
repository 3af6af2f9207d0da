#include "platform/uikit/label.h"

#include <cmath>

#include "platform/device/process.h"
#include "platform/graphics/font_cache.h"
#include "platform/graphics/text_measure.h"

namespace platform {

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
