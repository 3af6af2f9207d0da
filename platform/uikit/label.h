#pragma once
// UILabel: one line of text in a UIFont.
#include <optional>
#include <string>

#include "platform/graphics/font.h"
#include "platform/uikit/view.h"

namespace platform {

enum NSTextAlignment : int {
  NSTextAlignmentLeft = 0,
  NSTextAlignmentCenter = 1,
  NSTextAlignmentRight = 2,
  NSTextAlignmentJustified = 3,
  NSTextAlignmentNatural = 4,
};

class UILabel : public UIView {
 public:
  // Labels take no touches unless told to, as in UIKit.
  explicit UILabel(rt::Class& cls);

  const std::string& text() const { return text_; }
  void setText(std::string text) { text_ = std::move(text); }
  const UIFont& font() const { return font_; }
  void setFont(UIFont font) { font_ = std::move(font); }
  // Nil draws black, as UIKit's default text colour.
  const std::optional<UIColor>& textColor() const { return textColor_; }
  void setTextColor(std::optional<UIColor> color) { textColor_ = color; }
  NSTextAlignment textAlignment() const { return alignment_; }
  // Unknown values are kept and drawn as natural alignment.
  void setTextAlignment(NSTextAlignment alignment) { alignment_ = alignment; }
  long numberOfLines() const { return lines_; }
  void setNumberOfLines(long lines) { lines_ = lines; }

  // The size the text needs on one line (whole points, as UIKit rounds up); empty text needs nothing.
  CGSize sizeThatFits(CGSize size) const;
  // Resizes the label to that size, keeping its frame's origin.
  void sizeToFit();

 private:
  std::string text_;
  UIFont font_ = UIFont::systemFontOfSize(17);
  std::optional<UIColor> textColor_ = UIColor::blackColor();
  NSTextAlignment alignment_ = NSTextAlignmentNatural;
  long lines_ = 1;
};

}  // namespace platform
