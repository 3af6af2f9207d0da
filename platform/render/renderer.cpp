#include "platform/render/renderer.h"

#include <cmath>

#include "platform/device/device.h"
#include "platform/graphics/cairo_bridge.h"
#include "platform/graphics/context_internal.h"
#include "platform/graphics/font_cache.h"
#include "platform/render/view_painter.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

// Text is drawn the same on every machine as far as fonts allow: no hinting, greyscale antialiasing.
void setStableFontOptions(cairo_t* cr) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

}  // namespace

Renderer::Renderer() : fonts_(std::make_unique<FontCache>()) {}

Renderer::~Renderer() = default;

CGImageRef Renderer::render(std::vector<std::shared_ptr<UIWindow>> windows, const RenderOptions& options) {
  double scale = std::isfinite(options.scale) && options.scale > 0 ? std::min(options.scale, 100.0) : 1;
  int width = contextPixels(options.screenSize.width, scale);
  int height = contextPixels(options.screenSize.height, scale);
  if (!isAcceptableImageSize(width, height)) width = height = 0;
  cairo::SurfacePtr surface = cairo::makeSurface(width, height);
  cairo::ContextPtr cr(cairo_create(surface.get()));
  if (options.background) {
    const UIColor& bg = *options.background;
    cairo_set_source_rgba(cr.get(), bg.red(), bg.green(), bg.blue(), bg.alpha());
    cairo_paint(cr.get());
  }
  cairo_scale(cr.get(), scale, scale);
  setStableFontOptions(cr.get());

  sortByLevel(windows);
  for (const auto& window : windows)
    if (window) window->layoutIfNeeded();
  ViewPainter painter(cr.get(), *fonts_, options.time);
  for (const auto& window : windows) painter.drawView(window);
  return cairo::snapshot(surface.get());
}

CGImageRef Renderer::renderScreen(Device& device) {
  return renderScreen(device, device.screenScale());
}

CGImageRef Renderer::renderScreen(Device& device, double scale) {
  RenderOptions options;
  options.screenSize = {device.screenWidth(), device.screenHeight()};
  options.scale = scale;
  options.time = device.now();
  return render(windowsByLevel(device), options);
}

std::string Renderer::fontFileFor(const std::string& fontName) {
  return fonts_->fileFor(fontName);
}

void renderInContext(const CALayer& layer, CGContextRef ctx) {
  if (!ctx) return;
  UIView& view = layer.delegate();
  auto shared = std::static_pointer_cast<UIView>(view.shared_from_this());
  setStableFontOptions(ctx->cr());
  ViewPainter painter(ctx->cr(), view.process().service<FontCache>(), std::nullopt);
  painter.drawInPlace(shared);
}

}  // namespace platform
