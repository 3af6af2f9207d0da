#include "platform/graphics/cairo_bridge.h"

#include <cmath>
#include <cstring>

namespace platform::cairo {

namespace {
// Coordinates beyond this are far off any screen; cairo's fixed-point arithmetic would overflow on them.
constexpr double kFarAway = 1e7;
}  // namespace

SurfacePtr makeSurface(int width, int height) {
  if (!isAcceptableImageSize(width, height)) width = height = 0;
  return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}

SurfacePtr wrapImage(const CGImage& image) {
  // cairo only reads from a source surface, so handing it the immutable pixels is safe.
  auto* data = reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(image.pixels().data()));
  return SurfacePtr(cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, image.width(),
                                                        image.height(), image.width() * 4));
}

CGImageRef snapshot(cairo_surface_t* surface, bool opaque) {
  cairo_surface_flush(surface);
  int width = cairo_image_surface_get_width(surface);
  int height = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height && data; ++y) {
    std::memcpy(pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                data + static_cast<std::ptrdiff_t>(y) * stride, static_cast<std::size_t>(width) * 4);
  }
  if (opaque)
    for (auto& p : pixels) p |= 0xff000000u;
  return CGImage::make(width, height, std::move(pixels));
}

cairo_operator_t toCairoOperator(CGBlendMode mode) {
  switch (mode) {
    case kCGBlendModeMultiply:
      return CAIRO_OPERATOR_MULTIPLY;
    case kCGBlendModeScreen:
      return CAIRO_OPERATOR_SCREEN;
    case kCGBlendModeOverlay:
      return CAIRO_OPERATOR_OVERLAY;
    case kCGBlendModeDarken:
      return CAIRO_OPERATOR_DARKEN;
    case kCGBlendModeLighten:
      return CAIRO_OPERATOR_LIGHTEN;
    case kCGBlendModeColorDodge:
      return CAIRO_OPERATOR_COLOR_DODGE;
    case kCGBlendModeColorBurn:
      return CAIRO_OPERATOR_COLOR_BURN;
    case kCGBlendModeSoftLight:
      return CAIRO_OPERATOR_SOFT_LIGHT;
    case kCGBlendModeHardLight:
      return CAIRO_OPERATOR_HARD_LIGHT;
    case kCGBlendModeDifference:
      return CAIRO_OPERATOR_DIFFERENCE;
    case kCGBlendModeExclusion:
      return CAIRO_OPERATOR_EXCLUSION;
    case kCGBlendModeHue:
      return CAIRO_OPERATOR_HSL_HUE;
    case kCGBlendModeSaturation:
      return CAIRO_OPERATOR_HSL_SATURATION;
    case kCGBlendModeColor:
      return CAIRO_OPERATOR_HSL_COLOR;
    case kCGBlendModeLuminosity:
      return CAIRO_OPERATOR_HSL_LUMINOSITY;
    case kCGBlendModeClear:
      return CAIRO_OPERATOR_CLEAR;
    case kCGBlendModeCopy:
      return CAIRO_OPERATOR_SOURCE;
    case kCGBlendModeSourceIn:
      return CAIRO_OPERATOR_IN;
    case kCGBlendModeSourceOut:
      return CAIRO_OPERATOR_OUT;
    case kCGBlendModeSourceAtop:
      return CAIRO_OPERATOR_ATOP;
    case kCGBlendModeDestinationOver:
      return CAIRO_OPERATOR_DEST_OVER;
    case kCGBlendModeDestinationIn:
      return CAIRO_OPERATOR_DEST_IN;
    case kCGBlendModeDestinationOut:
      return CAIRO_OPERATOR_DEST_OUT;
    case kCGBlendModeDestinationAtop:
      return CAIRO_OPERATOR_DEST_ATOP;
    case kCGBlendModeXOR:
      return CAIRO_OPERATOR_XOR;
    case kCGBlendModePlusLighter:
      return CAIRO_OPERATOR_ADD;
    default:
      return CAIRO_OPERATOR_OVER;
  }
}

bool isDrawable(CGRect rect) {
  return isFinite(rect) && std::fabs(rect.origin.x) < kFarAway && std::fabs(rect.origin.y) < kFarAway &&
         std::fabs(rect.size.width) < kFarAway && std::fabs(rect.size.height) < kFarAway;
}

bool isUsableMatrix(const cairo_matrix_t& m) {
  double det = m.xx * m.yy - m.yx * m.xy;
  return std::isfinite(m.xx) && std::isfinite(m.yx) && std::isfinite(m.xy) && std::isfinite(m.yy) &&
         std::isfinite(m.x0) && std::isfinite(m.y0) && std::isfinite(det) && std::fabs(det) > 1e-12 &&
         std::fabs(m.x0) < kFarAway && std::fabs(m.y0) < kFarAway && std::fabs(m.xx) < kFarAway &&
         std::fabs(m.yy) < kFarAway && std::fabs(m.xy) < kFarAway && std::fabs(m.yx) < kFarAway;
}

namespace {

// Image pixel space to the image's display square (width x height in display pixels).
cairo_matrix_t orientationMatrix(UIImageOrientation orientation, double pw, double ph) {
  cairo_matrix_t m;
  switch (orientation) {
    case UIImageOrientationDown:
      cairo_matrix_init(&m, -1, 0, 0, -1, pw, ph);
      break;
    case UIImageOrientationLeft:
      cairo_matrix_init(&m, 0, -1, 1, 0, 0, pw);
      break;
    case UIImageOrientationRight:
      cairo_matrix_init(&m, 0, 1, -1, 0, ph, 0);
      break;
    case UIImageOrientationUpMirrored:
      cairo_matrix_init(&m, -1, 0, 0, 1, pw, 0);
      break;
    case UIImageOrientationDownMirrored:
      cairo_matrix_init(&m, 1, 0, 0, -1, 0, ph);
      break;
    case UIImageOrientationLeftMirrored:
      cairo_matrix_init(&m, 0, -1, -1, 0, ph, pw);
      break;
    case UIImageOrientationRightMirrored:
      cairo_matrix_init(&m, 0, 1, 1, 0, 0, 0);
      break;
    default:
      cairo_matrix_init_identity(&m);
      break;
  }
  return m;
}

bool turnsSideways(UIImageOrientation o) {
  return o == UIImageOrientationLeft || o == UIImageOrientationRight || o == UIImageOrientationLeftMirrored ||
         o == UIImageOrientationRightMirrored;
}

void paintWithMatrix(cairo_t* cr, const CGImage& image, CGRect rect, const cairo_matrix_t& imageToUser,
                     double alpha, cairo_operator_t op) {
  if (!isUsableMatrix(imageToUser) || !(alpha > 0)) return;
  SurfacePtr source = wrapImage(image);
  cairo_save(cr);
  cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  cairo_clip(cr);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(source.get());
  cairo_matrix_t userToImage = imageToUser;
  cairo_matrix_invert(&userToImage);
  cairo_pattern_set_matrix(pattern, &userToImage);
  // Padding keeps stretched edges crisp instead of fading them into transparency.
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
  cairo_set_source(cr, pattern);
  cairo_set_operator(cr, op);
  cairo_paint_with_alpha(cr, alpha > 1 ? 1 : alpha);
  cairo_pattern_destroy(pattern);
  cairo_restore(cr);
}

}  // namespace

void paintImage(cairo_t* cr, const CGImage& image, CGRect rect, UIImageOrientation orientation, double alpha,
                cairo_operator_t op) {
  rect = CGRectStandardize(rect);
  if (!isDrawable(rect) || rect.size.width <= 0 || rect.size.height <= 0) return;
  if (image.width() <= 0 || image.height() <= 0) return;
  double pw = image.width(), ph = image.height();
  double dw = turnsSideways(orientation) ? ph : pw;
  double dh = turnsSideways(orientation) ? pw : ph;
  cairo_matrix_t orient = orientationMatrix(orientation, pw, ph);
  cairo_matrix_t place;
  cairo_matrix_init(&place, rect.size.width / dw, 0, 0, rect.size.height / dh, rect.origin.x, rect.origin.y);
  cairo_matrix_t imageToUser;
  cairo_matrix_multiply(&imageToUser, &orient, &place);
  paintWithMatrix(cr, image, rect, imageToUser, alpha, op);
}

void paintImageFlipped(cairo_t* cr, const CGImage& image, CGRect rect, double alpha, cairo_operator_t op) {
  rect = CGRectStandardize(rect);
  if (!isDrawable(rect) || rect.size.width <= 0 || rect.size.height <= 0) return;
  if (image.width() <= 0 || image.height() <= 0) return;
  cairo_matrix_t imageToUser;
  cairo_matrix_init(&imageToUser, rect.size.width / image.width(), 0, 0, -rect.size.height / image.height(),
                    rect.origin.x, rect.origin.y + rect.size.height);
  paintWithMatrix(cr, image, rect, imageToUser, alpha, op);
}

}  // namespace platform::cairo
