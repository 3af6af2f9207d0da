#include "platform/uikit/image_view.h"

namespace platform {

UIImageView::UIImageView(rt::Class& cls) : UIView(cls) {
  setUserInteractionEnabled(false);
}

const UIImagePtr& UIImageView::displayedImage() const {
  return highlighted_ && highlightedImage_ ? highlightedImage_ : image_;
}

}  // namespace platform
