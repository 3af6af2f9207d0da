#pragma once
// UIImageView: shows one image, by default stretched to its bounds.
#include "platform/graphics/image.h"
#include "platform/uikit/view.h"

namespace platform {

class UIImageView : public UIView {
 public:
  // Image views take no touches unless told to, as in UIKit.
  explicit UIImageView(rt::Class& cls);

  const UIImagePtr& image() const { return image_; }
  void setImage(UIImagePtr image) { image_ = std::move(image); }
  const UIImagePtr& highlightedImage() const { return highlightedImage_; }
  void setHighlightedImage(UIImagePtr image) { highlightedImage_ = std::move(image); }
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
  // What is drawn: the highlighted image while highlighted, when there is one.
  const UIImagePtr& displayedImage() const;

 private:
  UIImagePtr image_;
  UIImagePtr highlightedImage_;
  bool highlighted_ = false;
};

}  // namespace platform
