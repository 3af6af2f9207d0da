#include "platform/graphics/context.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "platform/device/device.h"
#include "platform/graphics/context_internal.h"

CGContext::CGContext(platform::CGSize pointSize, double pointScale, bool isOpaque)
    : size(pointSize), scale(pointScale), opaque(isOpaque) {
  int width = platform::contextPixels(size.width, scale);
  int height = platform::contextPixels(size.height, scale);
  if (!platform::isAcceptableImageSize(width, height)) {
    width = height = 0;
    size = platform::CGSizeZero;
  }
  surface_ = platform::cairo::makeSurface(width, height);
  owned_.reset(cairo_create(surface_.get()));
  cr_ = owned_.get();
  if (opaque) {
    cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_paint(cr_);
  }
  cairo_scale(cr_, scale, scale);
}

CGContext::CGContext(cairo_t* borrowed, double pointScale) : scale(pointScale), cr_(borrowed) {}

namespace platform {

int contextPixels(double points, double scale) {
  double pixels = std::ceil(points * scale - 1e-9);
  if (!std::isfinite(pixels) || !(pixels > 0)) return 0;
  if (pixels > kMaxImageSide) return kMaxImageSide;
  return static_cast<int>(pixels);
}

namespace {

constexpr double kSmallestScale = 1e-3;
constexpr double kLargestScale = 100;

// UIKit's image-context stack, one per process.
class ImageContextStack {
 public:
  explicit ImageContextStack(Process&) {}
  std::vector<std::unique_ptr<CGContext>> contexts;
};

void setSource(CGContextRef ctx, const UIColor& color) {
  cairo_set_source_rgba(ctx->cr(), color.red(), color.green(), color.blue(),
                        color.alpha() * ctx->state.alpha);
}

// Fills the current path (already set) within its own area only, with the context's blend mode.
void fillBounded(CGContextRef ctx) {
  cairo_t* cr = ctx->cr();
  cairo_save(cr);
  cairo_clip(cr);
  setSource(ctx, ctx->state.fill);
  cairo_set_operator(cr, cairo::toCairoOperator(ctx->state.blend));
  cairo_paint(cr);
  cairo_restore(cr);
}

bool usableRect(CGRect& rect) {
  rect = CGRectStandardize(rect);
  return cairo::isDrawable(rect) && rect.size.width > 0 && rect.size.height > 0;
}

}  // namespace

void UIGraphicsBeginImageContextWithOptions(Process& process, CGSize size, bool opaque, CGFloat scale) {
  if (!std::isfinite(scale) || !(scale > 0)) scale = process.device().screenScale();
  // Beyond these a scale cannot give a usable bitmap; clamping keeps the context's matrix invertible.
  scale = std::clamp(scale, kSmallestScale, kLargestScale);
  process.service<ImageContextStack>().contexts.push_back(std::make_unique<CGContext>(size, scale, opaque));
}

void UIGraphicsBeginImageContext(Process& process, CGSize size) {
  UIGraphicsBeginImageContextWithOptions(process, size, false, 1);
}

CGContextRef UIGraphicsGetCurrentContext(Process& process) {
  auto& stack = process.service<ImageContextStack>().contexts;
  return stack.empty() ? nullptr : stack.back().get();
}

UIImagePtr UIGraphicsGetImageFromCurrentImageContext(Process& process) {
  CGContextRef ctx = UIGraphicsGetCurrentContext(process);
  if (!ctx || !ctx->surface()) return nullptr;
  return UIImage::imageWithCGImage(cairo::snapshot(ctx->surface(), ctx->opaque), ctx->scale);
}

void UIGraphicsEndImageContext(Process& process) {
  auto& stack = process.service<ImageContextStack>().contexts;
  if (!stack.empty()) stack.pop_back();
}

void CGContextSaveGState(CGContextRef ctx) {
  if (!ctx) return;
  cairo_save(ctx->cr());
  ctx->saved.push_back(ctx->state);
}

void CGContextRestoreGState(CGContextRef ctx) {
  // An unbalanced restore would corrupt cairo's own stack: ignore it.
  if (!ctx || ctx->saved.empty()) return;
  cairo_restore(ctx->cr());
  ctx->state = ctx->saved.back();
  ctx->saved.pop_back();
}

void CGContextTranslateCTM(CGContextRef ctx, CGFloat tx, CGFloat ty) {
  CGContextConcatCTM(ctx, CGAffineTransformMakeTranslation(tx, ty));
}

void CGContextScaleCTM(CGContextRef ctx, CGFloat sx, CGFloat sy) {
  CGContextConcatCTM(ctx, CGAffineTransformMakeScale(sx, sy));
}

void CGContextRotateCTM(CGContextRef ctx, CGFloat angle) {
  CGContextConcatCTM(ctx, CGAffineTransformMakeRotation(angle));
}

void CGContextConcatCTM(CGContextRef ctx, const CGAffineTransform& t) {
  if (!ctx) return;
  cairo_matrix_t m;
  cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
  cairo_matrix_t combined;
  cairo_matrix_t current;
  cairo_get_matrix(ctx->cr(), &current);
  cairo_matrix_multiply(&combined, &m, &current);
  if (!cairo::isUsableMatrix(m) || !cairo::isUsableMatrix(combined)) return;
  cairo_transform(ctx->cr(), &m);
}

CGAffineTransform CGContextGetCTM(CGContextRef ctx) {
  if (!ctx) return CGAffineTransformIdentity;
  cairo_matrix_t m;
  cairo_get_matrix(ctx->cr(), &m);
  return {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0};
}

void CGContextSetFillColorWithColor(CGContextRef ctx, const CGColorRef& color) {
  if (ctx) ctx->state.fill = color;
}

void CGContextSetStrokeColorWithColor(CGContextRef ctx, const CGColorRef& color) {
  if (ctx) ctx->state.stroke = color;
}

void CGContextSetLineWidth(CGContextRef ctx, CGFloat width) {
  if (ctx && std::isfinite(width) && width >= 0 && width < 1e6) ctx->state.lineWidth = width;
}

void CGContextSetBlendMode(CGContextRef ctx, CGBlendMode mode) {
  if (ctx) ctx->state.blend = mode;
}

void CGContextSetAlpha(CGContextRef ctx, CGFloat alpha) {
  if (!ctx) return;
  ctx->state.alpha = std::isnan(alpha) ? 0 : alpha < 0 ? 0 : alpha > 1 ? 1 : alpha;
}

void CGContextFillRect(CGContextRef ctx, CGRect rect) {
  if (!ctx || !usableRect(rect)) return;
  cairo_new_path(ctx->cr());
  cairo_rectangle(ctx->cr(), rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  fillBounded(ctx);
}

void CGContextFillEllipseInRect(CGContextRef ctx, CGRect rect) {
  if (!ctx || !usableRect(rect)) return;
  cairo_t* cr = ctx->cr();
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, rect.origin.x + rect.size.width / 2, rect.origin.y + rect.size.height / 2);
  cairo_scale(cr, rect.size.width / 2, rect.size.height / 2);
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr);
  fillBounded(ctx);
}

void CGContextStrokeRect(CGContextRef ctx, CGRect rect) {
  if (!ctx || !usableRect(rect)) return;
  cairo_t* cr = ctx->cr();
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  setSource(ctx, ctx->state.stroke);
  cairo_set_operator(cr, cairo::toCairoOperator(ctx->state.blend));
  cairo_set_line_width(cr, ctx->state.lineWidth);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void CGContextClearRect(CGContextRef ctx, CGRect rect) {
  if (!ctx || !usableRect(rect)) return;
  cairo_t* cr = ctx->cr();
  cairo_save(cr);
  cairo_new_path(cr);
  cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
  cairo_fill(cr);
  cairo_restore(cr);
}

void CGContextClipToRect(CGContextRef ctx, CGRect rect) {
  if (!ctx) return;
  rect = CGRectStandardize(rect);
  if (!cairo::isDrawable(rect)) return;
  cairo_new_path(ctx->cr());
  cairo_rectangle(ctx->cr(), rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
  cairo_clip(ctx->cr());
}

void CGContextDrawImage(CGContextRef ctx, CGRect rect, const CGImageRef& image) {
  if (!ctx || !image) return;
  cairo::paintImageFlipped(ctx->cr(), *image, rect, ctx->state.alpha,
                           cairo::toCairoOperator(ctx->state.blend));
}

CGSize CGContextGetSize(CGContextRef ctx) {
  return ctx ? ctx->size : CGSizeZero;
}

CGFloat CGContextGetScale(CGContextRef ctx) {
  return ctx ? ctx->scale : 1;
}

}  // namespace platform
