#pragma once
// A canvas for sheets of frames laid out by their maker: a light background, images at pixel positions,
// lines of text and rectangle outlines, drawn with the same fonts and filters as the contact sheet.
#include <memory>
#include <string_view>

#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"

namespace platform {

class SheetCanvas {
 public:
  // A size outside what images may be makes a canvas that draws nothing and composes to nil.
  SheetCanvas(int width, int height);
  ~SheetCanvas();
  SheetCanvas(const SheetCanvas&) = delete;
  SheetCanvas& operator=(const SheetCanvas&) = delete;

  // The image with its top-left corner at (x, y), shrunk or grown by `scale`.
  void place(const CGImage& image, double x, double y, double scale = 1);
  // One line of text with its baseline at y.
  void text(double x, double y, std::string_view line, double size, const UIColor& color, bool bold = false);
  // The rectangle's outline, `lineWidth` pixels wide, centred on its edges.
  void outline(CGRect rect, const UIColor& color, double lineWidth);

  // Nil when the size was not acceptable.
  CGImageRef compose() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
