#include "platform/render/renderer.h"

#include <cmath>
#include <cstring>

#include "platform/device/device.h"
#include "platform/graphics/cairo_bridge.h"
#include "platform/graphics/context_internal.h"
#include "platform/graphics/font_cache.h"
#include "platform/render/blur_cache.h"
#include "platform/render/damage_region.h"
#include "platform/render/frame_pool.h"
#include "platform/render/screen_shade.h"
#include "platform/render/scene_damage.h"
#include "platform/render/surface_pool.h"
#include "platform/render/view_painter.h"
#include "platform/render/view_record.h"
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

// How far beyond a changed box the area drawn into the scratch surface reaches, in pixels.
constexpr int kScratchMargin = 4;

// Copies `box` (screen pixels) between two screen-sized surfaces.
void copyBox(cairo_surface_t* from, cairo_surface_t* to, const PixelBox& box) {
  cairo_surface_flush(from);
  const unsigned char* source = cairo_image_surface_get_data(from);
  unsigned char* target = cairo_image_surface_get_data(to);
  int sourceStride = cairo_image_surface_get_stride(from);
  int targetStride = cairo_image_surface_get_stride(to);
  if (!source || !target) return;
  for (int y = box.y; y < box.y + box.height; ++y)
    std::memcpy(target + static_cast<std::ptrdiff_t>(y) * targetStride + static_cast<std::ptrdiff_t>(box.x) * 4,
                source + static_cast<std::ptrdiff_t>(y) * sourceStride + static_cast<std::ptrdiff_t>(box.x) * 4,
                static_cast<std::size_t>(box.width) * 4);
}

// Draws the part `area` of the screen into a screen-sized surface, skipping windows that cannot reach it.
// Every operation lands on the same device coordinates as in a full redraw, so the pixels inside `area`
// come from the same arithmetic.
void drawArea(cairo_surface_t* target, const PixelBox& area, const SceneRecord& scene, FontCache& fonts,
              SurfacePool& surfaces, BlurCache& blurs) {
  cairo::ContextPtr cr(cairo_create(target));
  if (area != PixelBox{0, 0, scene.width, scene.height}) {
    cairo_rectangle(cr.get(), area.x, area.y, area.width, area.height);
    cairo_clip(cr.get());
  }
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  if (scene.background) {
    const UIColor& bg = *scene.background;
    cairo_set_source_rgba(cr.get(), bg.red(), bg.green(), bg.blue(), bg.alpha());
  } else {
    cairo_set_source_rgba(cr.get(), 0, 0, 0, 0);
  }
  cairo_paint(cr.get());
  // cairo blends the first operation onto a surface it knows to be clear as a copy, which rounds differently.
  // An unclipped clear lets it know and a clipped one does not, so whole and patched frames would part at
  // their first edge; marking the area dirty keeps both on the blend.
  cairo_surface_flush(target);
  cairo_surface_mark_dirty_rectangle(target, area.x, area.y, area.width, area.height);
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_OVER);
  cairo_scale(cr.get(), scene.scale, scene.scale);
  setStableFontOptions(cr.get());

  ViewPainter painter(cr.get(), fonts, surfaces, &blurs);
  for (const auto& window : scene.windows)
    if (window.extent.intersects(area)) painter.drawView(window.views);
}

// Frames a reused bitmap may lag behind and still be patched rather than drawn whole.
constexpr std::size_t kChangesKept = 16;

}  // namespace

struct Renderer::Scratch {
  cairo::SurfacePtr surface;
};

Renderer::Renderer()
    : fonts_(std::make_unique<FontCache>()),
      surfaces_(std::make_unique<SurfacePool>()),
      blurs_(std::make_unique<BlurCache>()),
      frames_(std::make_unique<FramePool>()) {}

Renderer::~Renderer() = default;

void Renderer::invalidate() {
  previous_.reset();
  changes_.clear();
}

DamageRegion Renderer::staleSince(std::uint64_t holds, int width, int height) const {
  // Every change after `holds` must be in the history, or the bitmap is too old to patch.
  if (holds == 0 || changes_.empty() || changes_.front().serial > holds + 1)
    return DamageRegion::whole(width, height);
  DamageRegion region;
  for (const auto& change : changes_)
    if (change.serial > holds) region.add(*change.region);
  return region;
}

CGImageRef Renderer::render(std::vector<std::shared_ptr<UIWindow>> windows, const RenderOptions& options) {
  double scale = std::isfinite(options.scale) && options.scale > 0 ? std::min(options.scale, 100.0) : 1;
  int width = contextPixels(options.screenSize.width, scale);
  int height = contextPixels(options.screenSize.height, scale);
  if (!isAcceptableImageSize(width, height)) width = height = 0;

  std::erase(windows, nullptr);
  sortByLevel(windows);
  for (const auto& window : windows) window->layoutIfNeeded();
  if (width == 0 || height == 0) return cairo::snapshot(cairo::makeSurface(0, 0).get());
  auto scene = std::make_unique<SceneRecord>(
      recordScene(windows, width, height, scale, options.time, options.background));

  std::uint64_t serial = ++serial_;
  const bool sameShade = options.shade == shade_;
  shade_ = options.shade;
  auto change = std::make_unique<DamageRegion>(previous_ && sameShade ? changesBetween(*previous_, *scene)
                                                                      : DamageRegion::whole(width, height));
  changes_.push_back({serial, std::move(change)});
  while (changes_.size() > kChangesKept) changes_.pop_front();
  previous_ = std::move(scene);

  FramePool::Frame frame = frames_->acquire(width, height);
  if (!frame.image) return nullptr;
  DamageRegion redraw = staleSince(frame.holds, width, height);
  includeBackdrops(redraw, *previous_);
  lastRedrawn_ = 0;
  for (const auto& box : redraw.boxes()) lastRedrawn_ += std::int64_t{box.width} * box.height;
  if (redraw.empty()) return frames_->lend(frame, serial);

  cairo::SurfacePtr surface(cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(frame.image->writablePixels()), CAIRO_FORMAT_ARGB32, width, height,
      width * 4));
  if (redraw.contains(PixelBox{0, 0, width, height})) {
    drawArea(surface.get(), PixelBox{0, 0, width, height}, *previous_, *fonts_, *surfaces_, *blurs_);
  } else {
    // cairo rounds an antialiased shape, an image or a group a little differently when a clip cuts it, and
    // when it lands on other device coordinates. So each box is drawn into a screen-sized scratch surface,
    // clipped to an area that holds whole every operation reaching into the box, at the coordinates of a
    // full redraw, and only the box is copied: its pixels are those of a full redraw.
    if (!scratch_ || cairo_image_surface_get_width(scratch_->surface.get()) != width ||
        cairo_image_surface_get_height(scratch_->surface.get()) != height)
      scratch_ = std::make_unique<Scratch>(Scratch{cairo::makeSurface(width, height)});
    for (const auto& box : redraw.boxes()) {
      PixelBox area = areaToDrawFor(box, *previous_).inflated(kScratchMargin).clippedTo(width, height);
      drawArea(scratch_->surface.get(), area, *previous_, *fonts_, *surfaces_, *blurs_);
      copyBox(scratch_->surface.get(), surface.get(), box);
    }
  }
  cairo_surface_flush(surface.get());
  if (shade_ && shade_->width() == width && shade_->height() == height)
    for (const auto& box : redraw.boxes()) shade_->applyTo(frame.image->writablePixels(), width, box);
  cairo_surface_finish(surface.get());
  return frames_->lend(frame, serial);
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
  SurfacePool surfaces;
  ViewPainter painter(ctx->cr(), view.process().service<FontCache>(), surfaces);
  painter.drawInPlace(recordInPlace(shared));
}

}  // namespace platform
