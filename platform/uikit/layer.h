#pragma once
// The Core Animation layer behind a view, as the properties the renderer needs. It is a plain member of its
// view rather than a runtime object: nothing in the system replaces layer methods.
#include <optional>

#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"

namespace platform {

class UIView;

class CALayer {
 public:
  explicit CALayer(UIView& view) : view_(view) {}
  CALayer(const CALayer&) = delete;
  CALayer& operator=(const CALayer&) = delete;

  // The view this layer draws (its delegate, in Core Animation's terms).
  UIView& delegate() const { return view_; }

  double cornerRadius() const { return cornerRadius_; }
  // Negative and NaN radii draw square corners.
  void setCornerRadius(double radius) { cornerRadius_ = radius; }
  // Clips the sublayers, and the layer's own shadow, to the rounded bounds.
  bool masksToBounds() const { return masksToBounds_; }
  void setMasksToBounds(bool masks) { masksToBounds_ = masks; }
  bool isOpaque() const { return opaque_; }
  void setOpaque(bool opaque) { opaque_ = opaque; }

  float shadowOpacity() const { return shadowOpacity_; }
  void setShadowOpacity(float opacity) { shadowOpacity_ = opacity; }
  CGSize shadowOffset() const { return shadowOffset_; }
  void setShadowOffset(CGSize offset) { shadowOffset_ = offset; }
  double shadowRadius() const { return shadowRadius_; }
  void setShadowRadius(double radius) { shadowRadius_ = radius; }
  const std::optional<UIColor>& shadowColor() const { return shadowColor_; }
  void setShadowColor(std::optional<UIColor> color) { shadowColor_ = color; }

  double borderWidth() const { return borderWidth_; }
  void setBorderWidth(double width) { borderWidth_ = width; }
  const std::optional<UIColor>& borderColor() const { return borderColor_; }
  void setBorderColor(std::optional<UIColor> color) { borderColor_ = color; }

 private:
  UIView& view_;
  double cornerRadius_ = 0;
  bool masksToBounds_ = false;
  bool opaque_ = false;
  float shadowOpacity_ = 0;
  CGSize shadowOffset_{0, -3};  // Core Animation's defaults
  double shadowRadius_ = 3;
  std::optional<UIColor> shadowColor_ = UIColor::blackColor();
  double borderWidth_ = 0;
  std::optional<UIColor> borderColor_ = UIColor::blackColor();
};

}  // namespace platform
