#include "platform/graphics/image.h"

#include <cmath>

#include "platform/graphics/context_internal.h"
#include "platform/graphics/png_codec.h"
#include "platform/graphics/url.h"

namespace platform {

bool isAcceptableImageSize(std::int64_t width, std::int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

std::uint32_t premultipliedPixel(RGBA8 c) {
  auto mul = [a = c.a](std::uint8_t v) { return static_cast<std::uint32_t>((v * a + 127) / 255); };
  return (std::uint32_t{c.a} << 24) | (mul(c.r) << 16) | (mul(c.g) << 8) | mul(c.b);
}

std::uint32_t straightPixel(std::uint32_t pixel) {
  std::uint32_t a = pixel >> 24;
  if (a == 0xff) return pixel;
  if (a == 0) return 0;
  auto div = [a](std::uint32_t v) {
    std::uint32_t c = (v * 255 + a / 2) / a;
    return c > 255 ? 255u : c;
  };
  return (a << 24) | (div((pixel >> 16) & 0xff) << 16) | (div((pixel >> 8) & 0xff) << 8) | div(pixel & 0xff);
}

RGBA8 unpremultipliedPixel(std::uint32_t pixel) {
  std::uint32_t p = straightPixel(pixel);
  return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p),
          static_cast<std::uint8_t>(p >> 24)};
}

void straightBytes(const std::uint32_t* pixels, std::size_t count, bool alpha, std::uint8_t* out) {
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t p = straightPixel(pixels[i]);
    *out++ = static_cast<std::uint8_t>(p >> 16);
    *out++ = static_cast<std::uint8_t>(p >> 8);
    *out++ = static_cast<std::uint8_t>(p);
    if (alpha) *out++ = static_cast<std::uint8_t>(p >> 24);
  }
}

std::shared_ptr<const CGImage> CGImage::make(int width, int height, std::vector<std::uint32_t> pixels) {
  if (!isAcceptableImageSize(width, height)) return nullptr;
  if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return nullptr;
  return std::shared_ptr<const CGImage>(new CGImage(width, height, std::move(pixels)));
}

std::unique_ptr<CGImage> CGImage::makeWritable(int width, int height) {
  if (!isAcceptableImageSize(width, height)) return nullptr;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  return std::unique_ptr<CGImage>(new CGImage(width, height, std::move(pixels)));
}

std::uint32_t CGImage::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

RGBA8 CGImage::rgba(int x, int y) const {
  return unpremultipliedPixel(pixel(x, y));
}

UIImagePtr UIImage::imageWithData(const std::vector<std::uint8_t>& bytes) {
  return imageWithData(bytes.data(), bytes.size());
}

UIImagePtr UIImage::imageWithData(const std::uint8_t* bytes, std::size_t size) {
  return imageWithCGImage(decodePng(bytes, size), 1, UIImageOrientationUp);
}

UIImagePtr UIImage::imageWithData(const NSDataPtr& data) { return data ? imageWithData(data->bytes()) : nullptr; }

UIImagePtr UIImage::imageWithCGImage(CGImageRef image, double scale, UIImageOrientation orientation) {
  if (!image) return nullptr;
  if (!std::isfinite(scale) || !(scale > 0)) scale = 1;
  if (orientation < UIImageOrientationUp || orientation > UIImageOrientationRightMirrored)
    orientation = UIImageOrientationUp;
  return UIImagePtr(new UIImage(std::move(image), scale, orientation));
}

CGSize UIImage::size() const {
  if (!image_) return {0, 0};
  double w = image_->width() / scale_;
  double h = image_->height() / scale_;
  bool sideways = orientation_ == UIImageOrientationLeft || orientation_ == UIImageOrientationRight ||
                  orientation_ == UIImageOrientationLeftMirrored ||
                  orientation_ == UIImageOrientationRightMirrored;
  return sideways ? CGSize{h, w} : CGSize{w, h};
}

void UIImage::drawInRect(Process& process, CGRect rect) const {
  drawInRect(process, rect, kCGBlendModeNormal, 1);
}

void UIImage::drawInRect(Process& process, CGRect rect, CGBlendMode mode, double alpha) const {
  CGContextRef ctx = UIGraphicsGetCurrentContext(process);
  if (!ctx || !image_ || std::isnan(alpha)) return;
  cairo::paintImage(ctx->cr(), *image_, rect, orientation_, alpha * ctx->state.alpha,
                    cairo::toCairoOperator(mode));
}

void UIImage::drawAtPoint(Process& process, CGPoint point) const {
  CGSize s = size();
  drawInRect(process, CGRect{point, s});
}

std::vector<std::uint8_t> UIImagePNGRepresentation(const UIImagePtr& image) {
  if (!image) return {};
  return encodePng(*image->CGImage());
}

UIImagePtr UIImage::emptyImage() {
  return UIImagePtr(new UIImage(nullptr, 1, UIImageOrientationUp));
}

}  // namespace platform
