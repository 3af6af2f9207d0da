#include "platform/graphics/color.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

double clampUnit(double v) {
  if (std::isnan(v)) return 0;
  return std::clamp(v, 0.0, 1.0);
}

// Shortest text that reads back as the same double, like %g with enough digits.
std::string formatComponent(double v) {
  char buffer[32];
  for (int precision = 6; precision <= 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, v);
    if (std::strtod(buffer, nullptr) == v) break;
  }
  return buffer;
}

}  // namespace

UIColor UIColor::colorWithRed(double red, double green, double blue, double alpha) {
  return UIColor(clampUnit(red), clampUnit(green), clampUnit(blue), clampUnit(alpha));
}

UIColor UIColor::colorWithWhite(double white, double alpha) {
  return colorWithRed(white, white, white, alpha);
}

UIColor UIColor::colorWithHue(double hue, double saturation, double brightness, double alpha) {
  double h = clampUnit(hue);
  double s = clampUnit(saturation);
  double v = clampUnit(brightness);
  // Six sectors around the wheel; a hue of exactly 1 wraps to red.
  double sector = h * 6;
  if (sector >= 6) sector = 0;
  int index = static_cast<int>(std::floor(sector));  // 0...5, sector is finite and in [0, 6)
  double f = sector - index;
  double p = v * (1 - s);
  double q = v * (1 - s * f);
  double t = v * (1 - s * (1 - f));
  switch (index) {
    case 0:
      return colorWithRed(v, t, p, alpha);
    case 1:
      return colorWithRed(q, v, p, alpha);
    case 2:
      return colorWithRed(p, v, t, alpha);
    case 3:
      return colorWithRed(p, q, v, alpha);
    case 4:
      return colorWithRed(t, p, v, alpha);
    default:
      return colorWithRed(v, p, q, alpha);
  }
}

UIColor UIColor::colorWithAlphaComponent(double alpha) const {
  return UIColor(r_, g_, b_, clampUnit(alpha));
}

bool UIColor::getHue(double* hue, double* saturation, double* brightness, double* alpha) const {
  double maxC = std::max({r_, g_, b_});
  double minC = std::min({r_, g_, b_});
  double delta = maxC - minC;
  double h = 0;
  if (delta > 0) {
    if (maxC == r_)
      h = (g_ - b_) / delta;
    else if (maxC == g_)
      h = 2 + (b_ - r_) / delta;
    else
      h = 4 + (r_ - g_) / delta;
    h /= 6;
    if (h < 0) h += 1;
    if (h >= 1) h -= 1;
  }
  if (hue) *hue = h;
  if (saturation) *saturation = maxC > 0 ? delta / maxC : 0;
  if (brightness) *brightness = maxC;
  if (alpha) *alpha = a_;
  return true;
}

bool UIColor::getRed(double* red, double* green, double* blue, double* alpha) const {
  if (red) *red = r_;
  if (green) *green = g_;
  if (blue) *blue = b_;
  if (alpha) *alpha = a_;
  return true;
}

bool UIColor::getWhite(double* white, double* alpha) const {
  // Rec. 709 luma, what a grey-scale conversion of an sRGB colour gives.
  if (white) *white = 0.2126 * r_ + 0.7152 * g_ + 0.0722 * b_;
  if (alpha) *alpha = a_;
  return true;
}

std::string UIColor::description() const {
  return "UIExtendedSRGBColorSpace " + formatComponent(r_) + " " + formatComponent(g_) + " " +
         formatComponent(b_) + " " + formatComponent(a_);
}

double CGColorGetAlpha(const UIColor& color) {
  return color.alpha();
}

}  // namespace platform
