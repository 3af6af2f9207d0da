// Reads the view tree into records: the one place that asks views what they draw.
#include <algorithm>
#include <cmath>

#include "platform/graphics/cairo_bridge.h"
#include "platform/graphics/text_measure.h"
#include "platform/render/view_painter.h"
#include "platform/render/view_record.h"
#include "platform/uikit/content/video_view.h"
#include "platform/uikit/image_view.h"
#include "platform/uikit/label.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/visual_effect_view.h"
#include "platform/uikit/window.h"

namespace platform {

namespace {

// Antialiasing, the system thumb's shadow and glyphs' side bearings reach a little past the rects drawn.
constexpr double kBleedPoints = 3;
constexpr double kFarthest = 1e7;

double usableAlpha(double alpha) {
  if (!(alpha > 0)) return 0;  // NaN too
  return std::min(alpha, 1.0);
}

CGAffineTransform affineOf(const cairo_matrix_t& m) { return {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0}; }

CGRect boundingBoxInSuperview(CGRect local, const ViewPresentation& p) {
  // Local point q lands at centre + T(q - bounds origin - half the size).
  CGAffineTransform toSuper = CGAffineTransformConcat(
      CGAffineTransformMakeTranslation(-p.bounds.origin.x - p.bounds.size.width / 2,
                                       -p.bounds.origin.y - p.bounds.size.height / 2),
      CGAffineTransformConcat(p.transform, CGAffineTransformMakeTranslation(p.center.x, p.center.y)));
  return CGRectApplyAffineTransform(local, toSuper);
}

std::optional<LayerShadow> shadowOf(const CALayer& layer) {
  if (!(layer.shadowOpacity() > 0) || !layer.shadowColor() || !(layer.shadowColor()->alpha() > 0)) return {};
  const UIColor& color = *layer.shadowColor();
  double radius = layer.shadowRadius();
  CGSize offset = layer.shadowOffset();
  return LayerShadow{color, std::clamp(static_cast<double>(layer.shadowOpacity()), 0.0, 1.0) * color.alpha(),
                     std::isfinite(radius) && radius > 0 ? radius : 0,
                     {std::isfinite(offset.width) ? std::clamp(offset.width, -1e4, 1e4) : 0,
                      std::isfinite(offset.height) ? std::clamp(offset.height, -1e4, 1e4) : 0}};
}

std::optional<LayerBorder> borderOf(const CALayer& layer, CGRect bounds) {
  double width = layer.borderWidth();
  if (!(width > 0) || !std::isfinite(width) || !layer.borderColor() || !(layer.borderColor()->alpha() > 0))
    return {};
  return LayerBorder{std::min(width, std::min(bounds.size.width, bounds.size.height) / 2), *layer.borderColor()};
}

bool upright(const cairo_matrix_t& m) { return m.xy == 0 && m.yx == 0 && m.xx > 0 && m.yy > 0; }
bool onWholePixel(double v) { return std::fabs(v - std::round(v)) < 1e-6; }

// A clip along whole device pixels cuts what it holds as the edge of a patch does. Any other clip, cut
// again by a patch's edge, gives what it holds other coverage than in a full redraw.
bool clipsOnWholePixels(CGRect bounds, const cairo_matrix_t& m) {
  return upright(m) && onWholePixel(bounds.origin.x * m.xx + m.x0) && onWholePixel(bounds.origin.y * m.yy + m.y0) &&
         onWholePixel((bounds.origin.x + bounds.size.width) * m.xx + m.x0) &&
         onWholePixel((bounds.origin.y + bounds.size.height) * m.yy + m.y0);
}

// An image drawn upright, one of its pixels on one device pixel at whole-pixel offsets, is a plain copy
// that comes out the same however a clip cuts it (a full-screen photo behind the HUD).
bool landsPixelForPixel(const ImageContent& content, const cairo_matrix_t& m) {
  const CGImageRef& pixels = content.image->CGImage();
  if (!pixels || content.image->imageOrientation() != UIImageOrientationUp || !upright(m) ||
      !cairo::isDrawable(content.rect) || pixels->width() <= 0 || pixels->height() <= 0)
    return false;
  CGRect rect = CGRectStandardize(content.rect);
  double sx = rect.size.width * m.xx / pixels->width(), sy = rect.size.height * m.yy / pixels->height();
  double x = rect.origin.x * m.xx + m.x0, y = rect.origin.y * m.yy + m.y0;
  return std::fabs(sx - 1) < 1e-9 && std::fabs(sy - 1) < 1e-9 && onWholePixel(x) && onWholePixel(y);
}

// Content whose pixels come out the same however the surface cuts it, drawn on `m`.
bool plainContent(const ViewContent& content, const cairo_matrix_t& m) {
  if (std::holds_alternative<std::monostate>(content)) return true;
  if (const auto* image = std::get_if<ImageContent>(&content)) return landsPixelForPixel(*image, m);
  return std::holds_alternative<VideoContent>(content) && upright(m);
}

class Recorder {
 public:
  // `damage`: where the screen areas go (nothing for snapshots). `time`: nothing for the model values.
  Recorder(std::vector<ViewRecord>& out, WindowRecord* damage, std::optional<Nanos> time, int width, int height)
      : out_(out), damage_(damage), time_(time), width_(width), height_(height) {}

  struct Reach {
    bool recorded = false;
    PixelBox box;  // on the screen, shadows included
    CGRect extent;  // in the superview's space
  };
  Reach view(const std::shared_ptr<UIView>& view, const cairo_matrix_t& superToScreen, int depth, bool inPlace);

 private:
  ViewPresentation presentationOf(const UIView& view) const {
    return time_ ? view.presentation(*time_) : view.model();
  }
  // Fills the content in and answers what it reaches past the bounds, in the view's space.
  CGRect recordContent(const std::shared_ptr<UIView>& view, ViewRecord& record, CGRect& reach);
  PixelBox boxOf(CGRect local, const cairo_matrix_t& m) const;
  PixelBox shadowed(const LayerShadow& shadow, const cairo_matrix_t& m, PixelBox box) const;

  std::vector<ViewRecord>& out_;
  WindowRecord* damage_;
  std::optional<Nanos> time_;
  int width_, height_;
};

PixelBox Recorder::boxOf(CGRect local, const cairo_matrix_t& m) const {
  local = CGRectStandardize(local);
  if (!cairo::isDrawable(local)) return {};
  double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
  for (int corner = 0; corner < 4; ++corner) {
    double x = local.origin.x + (corner & 1 ? local.size.width : 0);
    double y = local.origin.y + (corner & 2 ? local.size.height : 0);
    cairo_matrix_transform_point(&m, &x, &y);
    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
  }
  if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1)) return {};
  x0 = std::clamp(std::floor(x0), -kFarthest, kFarthest);
  y0 = std::clamp(std::floor(y0), -kFarthest, kFarthest);
  x1 = std::clamp(std::ceil(x1), -kFarthest, kFarthest);
  y1 = std::clamp(std::ceil(y1), -kFarthest, kFarthest);
  PixelBox box{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
  return box.clippedTo(width_, height_);
}

PixelBox Recorder::shadowed(const LayerShadow& shadow, const cairo_matrix_t& m, PixelBox box) const {
  if (box.empty()) return box;
  double scale = std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
  double sigma = std::isfinite(scale) ? std::min(shadow.radius * scale, kLargestShadowSigma) : 0;
  double dx = shadow.offset.width, dy = shadow.offset.height;
  cairo_matrix_transform_distance(&m, &dx, &dy);
  if (!std::isfinite(dx) || !std::isfinite(dy)) return PixelBox{0, 0, width_, height_};
  int margin = static_cast<int>(std::ceil(3 * sigma)) + 2;
  PixelBox cast{box.x + static_cast<int>(std::floor(std::clamp(dx, -kFarthest, kFarthest))),
                box.y + static_cast<int>(std::floor(std::clamp(dy, -kFarthest, kFarthest))), box.width + 1,
                box.height + 1};
  return box.united(cast.inflated(margin).clippedTo(width_, height_));
}

CGRect Recorder::recordContent(const std::shared_ptr<UIView>& view, ViewRecord& record, CGRect& reach) {
  const CGRect bounds = record.bounds;
  CGRect extent = bounds;
  if (auto effect = std::dynamic_pointer_cast<UIVisualEffectView>(view)) {
    const auto& e = effect->effect();
    if (e && e->kind == UIVisualEffect::Kind::Blur) record.content = BlurContent{e->style};
  } else if (auto imageView = std::dynamic_pointer_cast<UIImageView>(view)) {
    if (const UIImagePtr& shown = imageView->displayedImage()) {
      CGRect rect = imageRectInBounds(bounds, shown->size(), imageView->contentMode());
      record.content = ImageContent{shown, rect};
      reach = CGRectUnion(reach, rect);
    }
  } else if (auto label = std::dynamic_pointer_cast<UILabel>(view)) {
    double size = label->font().pointSize;
    if (!std::isfinite(size) || !(size > 0)) size = 0;
    std::string text = firstLineAsValidUtf8(label->text());
    if (!text.empty() && size > 0 && size <= kLargestPointSize)
      record.content = TextContent{std::move(text), label->font().fontName, size,
                                   label->textColor().value_or(UIColor::blackColor()), label->textAlignment()};
    // Tall glyphs may reach past a short label.
    if (size > 0) extent = CGRectInset(extent, 0, -std::min(size, 1000.0));
    reach = CGRectUnion(reach, extent);
  } else if (auto slider = std::dynamic_pointer_cast<UISlider>(view)) {
    // Overridable geometry comes through the runtime, as UIKit asks its subclasses.
    float value = time_ ? slider->presentationValue(*time_) : slider->value();
    CGRect track = CGRectStandardize(sliderTrackRect(slider, bounds));
    CGRect thumb = CGRectStandardize(sliderThumbRect(slider, bounds, track, value));
    CGRect minimumImage = sliderMinimumValueImageRect(slider, bounds);
    CGRect maximumImage = sliderMaximumValueImageRect(slider, bounds);
    for (CGRect r : {track, thumb, minimumImage, maximumImage})
      if (cairo::isDrawable(r)) extent = CGRectUnion(extent, CGRectStandardize(r));
    reach = CGRectUnion(reach, extent);
    if (cairo::isDrawable(track) && cairo::isDrawable(thumb))
      record.content = SliderContent{
          track,
          thumb,
          minimumImage,
          maximumImage,
          slider->minimumValueImage(),
          slider->maximumValueImage(),
          slider->currentMinimumTrackImage(),
          slider->currentMaximumTrackImage(),
          slider->currentThumbImage(),
          slider->minimumTrackTintColor().value_or(UIColor::systemBlueColor()),
          slider->maximumTrackTintColor().value_or(UIColor::colorWithRed(0.78, 0.78, 0.8, 1)),
      };
  } else if (auto video = std::dynamic_pointer_cast<VideoView>(view)) {
    record.content = VideoContent{video, video->frameShownAt(time_)};
  }
  return extent;
}

Recorder::Reach Recorder::view(const std::shared_ptr<UIView>& view, const cairo_matrix_t& superToScreen, int depth,
                               bool inPlace) {
  if (!view || depth > kDeepestView || view->isHidden()) return {};
  ViewPresentation p = presentationOf(*view);
  double alpha = inPlace ? 1 : usableAlpha(p.alpha);
  if (!cairo::isDrawable(p.bounds)) return {};
  if (!inPlace && (alpha <= 0 || !isFinite(p.center) || !isFinite(p.transform))) return {};

  cairo_matrix_t local, full;
  if (inPlace) {
    cairo_matrix_init_identity(&local);
  } else {
    cairo_matrix_t toSuper, shift;
    cairo_matrix_init(&toSuper, p.transform.a, p.transform.b, p.transform.c, p.transform.d,
                      p.transform.tx + p.center.x, p.transform.ty + p.center.y);
    cairo_matrix_init_translate(&shift, -(p.bounds.origin.x + p.bounds.size.width / 2),
                                -(p.bounds.origin.y + p.bounds.size.height / 2));
    cairo_matrix_multiply(&local, &shift, &toSuper);
  }
  cairo_matrix_multiply(&full, &local, &superToScreen);
  if (!inPlace && !cairo::isUsableMatrix(full)) return {};

  const std::size_t index = out_.size();
  const CALayer& layer = view->layer();
  {
    ViewRecord& record = out_.emplace_back();
    record.placement = affineOf(local);
    record.bounds = CGRectStandardize(p.bounds);
    record.alpha = alpha;
    if (p.backgroundColor && p.backgroundColor->alpha() > 0) record.background = p.backgroundColor;
    record.cornerRadius = std::isfinite(layer.cornerRadius()) ? layer.cornerRadius() : 0;
    record.clips = layer.masksToBounds();
    record.border = borderOf(layer, record.bounds);
    if (!inPlace) record.shadow = shadowOf(layer);
  }
  CGRect reach = out_[index].bounds;
  CGRect extent = recordContent(view, out_[index], reach);

  Reach result;
  result.recorded = true;
  const std::size_t firstBackdrop = damage_ ? damage_->backdrops.size() : 0;
  if (damage_) {
    const ViewRecord& record = out_[index];
    result.box = boxOf(CGRectInset(reach, -kBleedPoints, -kBleedPoints), full);
    if (std::holds_alternative<BlurContent>(record.content)) {
      PixelBox beneath = boxOf(record.bounds, full);
      damage_->backdrops.push_back({beneath, beneath});
    }
    bool plain = full.xy == 0 && full.yx == 0 && !(record.cornerRadius > 0) && !record.border &&
                 !(record.clips && !clipsOnWholePixels(record.bounds, full)) && plainContent(record.content, full);
    if (!plain) damage_->wholes.push_back(result.box);
  }

  // A copy: the runtime calls above may run code that changes the tree.
  const bool clips = out_[index].clips;
  for (const auto& child : std::vector<UIView::Ptr>(view->subviews())) {
    Reach reached = this->view(child, full, depth + 1, false);
    if (!reached.recorded) continue;
    result.box = result.box.united(reached.box);
    if (!clips && cairo::isDrawable(reached.extent)) extent = CGRectUnion(extent, reached.extent);
  }

  ViewRecord& record = out_[index];
  record.extent = extent;
  record.descendants = static_cast<std::uint32_t>(out_.size() - index - 1);
  if (damage_) {
    if (record.shadow) {
      result.box = shadowed(*record.shadow, full, result.box);
      for (std::size_t i = firstBackdrop; i < damage_->backdrops.size(); ++i)
        damage_->backdrops[i].reach = shadowed(*record.shadow, full, damage_->backdrops[i].reach);
    }
    if (record.alpha < 1 || record.shadow) damage_->wholes.push_back(result.box);
  }
  result.extent = inPlace ? extent : boundingBoxInSuperview(extent, p);
  return result;
}

}  // namespace

SceneRecord recordScene(const std::vector<std::shared_ptr<UIWindow>>& windows, int width, int height,
                        double scale, Nanos time, const std::optional<UIColor>& background) {
  SceneRecord scene{width, height, scale, background, {}};
  cairo_matrix_t root;
  cairo_matrix_init_scale(&root, scale, scale);
  for (const auto& window : windows) {
    if (!window) continue;
    WindowRecord& record = scene.windows.emplace_back();
    record.window = window;
    record.address = window.get();
    record.extent = Recorder(record.views, &record, time, width, height).view(window, root, 0, false).box;
  }
  return scene;
}

std::vector<ViewRecord> recordInPlace(const std::shared_ptr<UIView>& view) {
  std::vector<ViewRecord> views;
  cairo_matrix_t identity;
  cairo_matrix_init_identity(&identity);
  Recorder(views, nullptr, std::nullopt, 0, 0).view(view, identity, 0, true);
  return views;
}

}  // namespace platform
