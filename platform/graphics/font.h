#pragma once
// UIFont: a font name and a point size, resolved only when text is measured or drawn.
#include <string>

namespace platform {

struct UIFont {
  std::string fontName;
  double pointSize = 17;

  // Any name is kept: fonts the device lacks are substituted when the text is drawn.
  static UIFont fontWithName(std::string name, double size);
  static UIFont systemFontOfSize(double size);
  static UIFont boldSystemFontOfSize(double size);
  UIFont fontWithSize(double size) const { return fontWithName(fontName, size); }
  bool operator==(const UIFont&) const = default;
};

// The names the system fonts answer.
inline constexpr const char* kSystemFontName = ".SFUIText";
inline constexpr const char* kBoldSystemFontName = ".SFUIText-Semibold";

}  // namespace platform
