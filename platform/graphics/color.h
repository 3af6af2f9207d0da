#pragma once
// UIColor as an immutable value in extended sRGB with components kept in [0, 1]. A nil colour is
// std::optional<UIColor> without a value.
#include <string>

namespace platform {

class UIColor;
// The CoreGraphics colour of a UIColor is the same value.
using CGColorRef = UIColor;

class UIColor {
 public:
  // Components are clamped to [0, 1] and NaN becomes 0, so every colour is drawable.
  static UIColor colorWithRed(double red, double green, double blue, double alpha);
  // Hue, saturation and brightness (the HSV model); a hue of 1 is the same as 0.
  static UIColor colorWithHue(double hue, double saturation, double brightness, double alpha);
  static UIColor colorWithWhite(double white, double alpha);
  static UIColor whiteColor() { return colorWithRed(1, 1, 1, 1); }
  static UIColor blackColor() { return colorWithRed(0, 0, 0, 1); }
  static UIColor clearColor() { return colorWithRed(0, 0, 0, 0); }
  static UIColor grayColor() { return colorWithWhite(0.5, 1); }
  static UIColor lightGrayColor() { return colorWithWhite(2.0 / 3.0, 1); }
  static UIColor darkGrayColor() { return colorWithWhite(1.0 / 3.0, 1); }
  static UIColor redColor() { return colorWithRed(1, 0, 0, 1); }
  static UIColor greenColor() { return colorWithRed(0, 1, 0, 1); }
  static UIColor blueColor() { return colorWithRed(0, 0, 1, 1); }
  static UIColor systemBlueColor() { return colorWithRed(0, 122.0 / 255, 1, 1); }

  UIColor colorWithAlphaComponent(double alpha) const;

  // Answers true: every colour here converts. Any pointer may be null.
  bool getHue(double* hue, double* saturation, double* brightness, double* alpha) const;
  bool getRed(double* red, double* green, double* blue, double* alpha) const;
  bool getWhite(double* white, double* alpha) const;

  double red() const { return r_; }
  double green() const { return g_; }
  double blue() const { return b_; }
  double alpha() const { return a_; }

  CGColorRef CGColor() const { return *this; }

  // "UIExtendedSRGBColorSpace 1 0 0 0.5", as UIColor's description prints it.
  std::string description() const;

  bool operator==(const UIColor&) const = default;

 private:
  UIColor(double r, double g, double b, double a) : r_(r), g_(g), b_(b), a_(a) {}
  double r_, g_, b_, a_;
};

double CGColorGetAlpha(const UIColor& color);

}  // namespace platform
