#pragma once
// Bitmaps (CGImage) and UIImage: pixels with a scale and an orientation. Both are immutable and shared;
// a nil image is a null pointer.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/blend_mode.h"
#include "platform/graphics/geometry.h"

namespace platform {

class Process;
class NSData;
using NSDataPtr = std::shared_ptr<const NSData>;

// No bitmap is larger than this: hostile sizes end here instead of in an allocation failure.
inline constexpr int kMaxImageSide = 16384;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 24;

bool isAcceptableImageSize(std::int64_t width, std::int64_t height);

// Unpremultiplied 8-bit components, what a person would call the colour of a pixel.
struct RGBA8 {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const RGBA8&) const = default;
};

class CGImage {
 public:
  // Pixels are 32-bit ARGB words with premultiplied alpha, row after row without padding.
  // Nothing when the sizes are unacceptable or do not match the pixel count.
  static std::shared_ptr<const CGImage> make(int width, int height, std::vector<std::uint32_t> pixels);
  // Transparent black pixels that whoever holds the bitmap non-const may still draw into before sharing it
  // (the renderer's reused frames). Nothing when the size is unacceptable.
  static std::unique_ptr<CGImage> makeWritable(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<std::uint32_t>& pixels() const { return pixels_; }
  std::uint32_t* writablePixels() { return pixels_.data(); }
  // Transparent black outside the bitmap.
  std::uint32_t pixel(int x, int y) const;
  RGBA8 rgba(int x, int y) const;

 private:
  CGImage(int width, int height, std::vector<std::uint32_t> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

using CGImageRef = std::shared_ptr<const CGImage>;

std::uint32_t premultipliedPixel(RGBA8 color);
// The one way back from premultiplied pixels: the straight colour as 0xAARRGGBB (opaque pixels as they are,
// transparent ones as 0), and the same as channels.
std::uint32_t straightPixel(std::uint32_t pixel);
RGBA8 unpremultipliedPixel(std::uint32_t pixel);
// `count` pixels as straight bytes: R, G, B and, with `alpha`, A for each.
void straightBytes(const std::uint32_t* pixels, std::size_t count, bool alpha, std::uint8_t* out);

enum UIImageOrientation : int {
  UIImageOrientationUp = 0,
  UIImageOrientationDown = 1,        // turned 180 degrees
  UIImageOrientationLeft = 2,        // turned 90 degrees counterclockwise
  UIImageOrientationRight = 3,       // turned 90 degrees clockwise
  UIImageOrientationUpMirrored = 4,  // mirrored left to right
  UIImageOrientationDownMirrored = 5,
  UIImageOrientationLeftMirrored = 6,
  UIImageOrientationRightMirrored = 7,
};

class UIImage;
using UIImagePtr = std::shared_ptr<const UIImage>;

class UIImage {
 public:
  // Decodes a whole PNG file at scale 1; anything else (truncated, corrupted, absurdly large) gives nil.
  static UIImagePtr imageWithData(const std::vector<std::uint8_t>& bytes);
  static UIImagePtr imageWithData(const std::uint8_t* bytes, std::size_t size);
  // Nil data gives a nil image.
  static UIImagePtr imageWithData(const NSDataPtr& data);
  // A scale that is not a positive finite number is taken as 1; an unknown orientation as up.
  static UIImagePtr imageWithCGImage(CGImageRef image, double scale = 1,
                                     UIImageOrientation orientation = UIImageOrientationUp);

  // [UIImage new]: no pixels, size zero. Given as a thumb image it means "draw no thumb".
  static UIImagePtr emptyImage();

  // In points: pixels divided by the scale, with width and height swapped for the turned orientations.
  CGSize size() const;
  double scale() const { return scale_; }
  UIImageOrientation imageOrientation() const { return orientation_; }
  const CGImageRef& CGImage() const { return image_; }

  // Draws into the process's current image context (nothing without one), upright and as oriented.
  void drawInRect(Process& process, CGRect rect) const;
  void drawInRect(Process& process, CGRect rect, CGBlendMode mode, double alpha) const;
  void drawAtPoint(Process& process, CGPoint point) const;

 private:
  UIImage(CGImageRef image, double scale, UIImageOrientation orientation)
      : image_(std::move(image)), scale_(scale), orientation_(orientation) {}
  CGImageRef image_;
  double scale_;
  UIImageOrientation orientation_;
};

// PNG bytes of the image's pixels (its orientation is not applied); empty when encoding fails.
std::vector<std::uint8_t> UIImagePNGRepresentation(const UIImagePtr& image);

}  // namespace platform
