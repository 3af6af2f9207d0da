#include "platform/render/scene_survey.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "platform/graphics/cairo_bridge.h"
#include "platform/render/view_painter.h"
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
constexpr double kLargestShadowSigma = 100;  // pixels, as the painter caps it
constexpr double kFarthest = 1e7;

class Surveyor {
 public:
  Surveyor(WindowSurvey& out, int width, int height, Nanos time)
      : out_(out), width_(width), height_(height), time_(time) {}

  PixelBox view(const std::shared_ptr<UIView>& view, const cairo_matrix_t& current, int depth);

 private:
  void number(double v) { out_.values.push_back(std::bit_cast<std::uint64_t>(v)); }
  void flag(bool v) { out_.values.push_back(v ? 1 : 2); }
  void color(const std::optional<UIColor>& c) {
    flag(c.has_value());
    if (c) {
      number(c->red());
      number(c->green());
      number(c->blue());
      number(c->alpha());
    }
  }
  void rect(CGRect r) {
    number(r.origin.x);
    number(r.origin.y);
    number(r.size.width);
    number(r.size.height);
  }
  void image(const UIImagePtr& i) { out_.images.push_back(i); }

  PixelBox boxOf(CGRect local, const cairo_matrix_t& m) const;
  PixelBox shadowed(const UIView& view, const cairo_matrix_t& m, PixelBox box) const;

  WindowSurvey& out_;
  int width_, height_;
  Nanos time_;
};

PixelBox Surveyor::boxOf(CGRect local, const cairo_matrix_t& m) const {
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

PixelBox Surveyor::shadowed(const UIView& view, const cairo_matrix_t& m, PixelBox box) const {
  const CALayer& layer = view.layer();
  if (box.empty() || !(layer.shadowOpacity() > 0) || !layer.shadowColor() || !(layer.shadowColor()->alpha() > 0))
    return box;
  double scale = std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
  double radius = layer.shadowRadius();
  double sigma = std::isfinite(radius) && radius > 0 && std::isfinite(scale)
                     ? std::min(radius * scale, kLargestShadowSigma) : 0;
  CGSize offset = layer.shadowOffset();
  double dx = std::isfinite(offset.width) ? std::clamp(offset.width, -1e4, 1e4) : 0;
  double dy = std::isfinite(offset.height) ? std::clamp(offset.height, -1e4, 1e4) : 0;
  cairo_matrix_transform_distance(&m, &dx, &dy);
  if (!std::isfinite(dx) || !std::isfinite(dy)) return PixelBox{0, 0, width_, height_};
  int margin = static_cast<int>(std::ceil(3 * sigma)) + 2;
  PixelBox shadow{box.x + static_cast<int>(std::floor(std::clamp(dx, -kFarthest, kFarthest))),
                  box.y + static_cast<int>(std::floor(std::clamp(dy, -kFarthest, kFarthest))), box.width + 1,
                  box.height + 1};
  return box.united(shadow.inflated(margin).clippedTo(width_, height_));
}

// An image drawn upright, one of its pixels on one device pixel at whole-pixel offsets, is a plain copy
// that comes out the same however a clip cuts it (a full-screen photo behind the HUD).
bool landsPixelForPixel(const UIImage& image, CGRect rect, const cairo_matrix_t& m) {
  const CGImageRef& pixels = image.CGImage();
  if (!pixels || image.imageOrientation() != UIImageOrientationUp || m.xy != 0 || m.yx != 0 || !(m.xx > 0) ||
      !(m.yy > 0) || !cairo::isDrawable(rect))
    return false;
  rect = CGRectStandardize(rect);
  double sx = rect.size.width * m.xx / pixels->width(), sy = rect.size.height * m.yy / pixels->height();
  double x = rect.origin.x * m.xx + m.x0, y = rect.origin.y * m.yy + m.y0;
  auto whole = [](double v) { return std::fabs(v - std::round(v)) < 1e-6; };
  return std::fabs(sx - 1) < 1e-9 && std::fabs(sy - 1) < 1e-9 && whole(x) && whole(y);
}

PixelBox Surveyor::view(const std::shared_ptr<UIView>& view, const cairo_matrix_t& current, int depth) {
  if (!view || depth > kDeepestView) return {};
  flag(view->isHidden());
  if (view->isHidden()) return {};
  ViewPresentation p = view->presentation(time_);
  number(p.alpha);
  number(p.center.x);
  number(p.center.y);
  rect(p.bounds);
  const CGAffineTransform& t = p.transform;
  for (double v : {t.a, t.b, t.c, t.d, t.tx, t.ty}) number(v);
  color(p.backgroundColor);
  if (!(p.alpha > 0) || !isFinite(p.center) || !cairo::isDrawable(p.bounds) || !isFinite(p.transform)) return {};

  cairo_matrix_t toSuper, shift, local, full;
  cairo_matrix_init(&toSuper, t.a, t.b, t.c, t.d, t.tx + p.center.x, t.ty + p.center.y);
  cairo_matrix_init_translate(&shift, -(p.bounds.origin.x + p.bounds.size.width / 2),
                              -(p.bounds.origin.y + p.bounds.size.height / 2));
  cairo_matrix_multiply(&local, &shift, &toSuper);
  cairo_matrix_multiply(&full, &local, &current);
  if (!cairo::isUsableMatrix(full)) return {};

  const CALayer& layer = view->layer();
  number(layer.cornerRadius());
  flag(layer.masksToBounds());
  number(layer.borderWidth());
  color(layer.borderColor());
  number(layer.shadowOpacity());
  color(layer.shadowColor());
  number(layer.shadowRadius());
  number(layer.shadowOffset().width);
  number(layer.shadowOffset().height);

  CGRect bounds = CGRectStandardize(p.bounds);
  CGRect reach = bounds;
  if (auto effect = std::dynamic_pointer_cast<UIVisualEffectView>(view)) {
    const auto& e = effect->effect();
    flag(e.has_value());
    if (e) {
      number(static_cast<double>(e->kind));
      number(static_cast<double>(e->style));
      if (e->kind == UIVisualEffect::Kind::Blur) out_.backdrops.push_back(boxOf(bounds, full));
    }
  }
  bool copiedPixelForPixel = false;
  if (auto imageView = std::dynamic_pointer_cast<UIImageView>(view)) {
    const UIImagePtr& shown = imageView->displayedImage();
    image(shown);
    number(static_cast<double>(imageView->contentMode()));
    if (shown) {
      CGRect drawn = imageRectInBounds(bounds, shown->size(), imageView->contentMode());
      reach = CGRectUnion(reach, drawn);
      copiedPixelForPixel = landsPixelForPixel(*shown, drawn, full);
    }
  }
  if (auto label = std::dynamic_pointer_cast<UILabel>(view)) {
    out_.strings.push_back(label->text());
    out_.strings.push_back(label->font().fontName);
    number(label->font().pointSize);
    color(label->textColor());
    number(static_cast<double>(label->textAlignment()));
    double size = label->font().pointSize;  // tall glyphs may reach past a short label
    if (std::isfinite(size) && size > 0) reach = CGRectInset(reach, 0, -std::min(size, 1000.0));
  }
  if (auto slider = std::dynamic_pointer_cast<UISlider>(view)) {
    CGRect track = sliderTrackRect(slider, p.bounds);
    CGRect thumb = sliderThumbRect(slider, p.bounds, track, slider->presentationValue(time_));
    CGRect minimumImage = sliderMinimumValueImageRect(slider, p.bounds);
    CGRect maximumImage = sliderMaximumValueImageRect(slider, p.bounds);
    for (CGRect r : {track, thumb, minimumImage, maximumImage}) {
      rect(r);
      if (cairo::isDrawable(r)) reach = CGRectUnion(reach, CGRectStandardize(r));
    }
    image(slider->minimumValueImage());
    image(slider->maximumValueImage());
    image(slider->currentMinimumTrackImage());
    image(slider->currentMaximumTrackImage());
    image(slider->currentThumbImage());
    color(slider->minimumTrackTintColor());
    color(slider->maximumTrackTintColor());
  }
  auto video = std::dynamic_pointer_cast<VideoView>(view);
  if (video) {
    number(static_cast<double>(video->frameShownAt(time_)));
    copiedPixelForPixel = full.xy == 0 && full.yx == 0 && full.xx > 0 && full.yy > 0;  // its upright copies
  }
  PixelBox box = boxOf(CGRectInset(reach, -kBleedPoints, -kBleedPoints), full);
  bool rectilinear = full.xy == 0 && full.yx == 0;
  bool imageOrVideo = std::dynamic_pointer_cast<UIImageView>(view) != nullptr || video != nullptr;
  bool plain = rectilinear && !(layer.cornerRadius() > 0) && !(layer.borderWidth() > 0) &&
               std::dynamic_pointer_cast<UIVisualEffectView>(view) == nullptr &&
               (!imageOrVideo || copiedPixelForPixel) &&
               std::dynamic_pointer_cast<UILabel>(view) == nullptr && std::dynamic_pointer_cast<UISlider>(view) == nullptr;
  if (!plain) out_.wholes.push_back(box);
  const auto& children = view->subviews();
  number(static_cast<double>(children.size()));
  for (const auto& child : children) box = box.united(this->view(child, full, depth + 1));
  bool grouped = p.alpha < 1 || (layer.shadowOpacity() > 0 && layer.shadowColor() && layer.shadowColor()->alpha() > 0);
  box = shadowed(*view, full, box);
  if (grouped) out_.wholes.push_back(box);
  return box;
}

bool sameWindows(const WindowSurvey& a, const WindowSurvey& b) {
  auto alive = a.window.lock();
  return alive && alive.get() == b.address;
}

}  // namespace

bool WindowSurvey::drawsTheSameAs(const WindowSurvey& other) const {
  return values == other.values && strings == other.strings && images == other.images;
}

SceneSurvey surveyScene(const std::vector<std::shared_ptr<UIWindow>>& windows, int width, int height,
                        double scale, Nanos time, const std::optional<UIColor>& background) {
  SceneSurvey scene{width, height, scale, background, {}};
  cairo_matrix_t root;
  cairo_matrix_init_scale(&root, scale, scale);
  for (const auto& window : windows) {
    if (!window) continue;
    WindowSurvey& survey = scene.windows.emplace_back();
    survey.window = window;
    survey.address = window.get();
    survey.extent = Surveyor(survey, width, height, time).view(window, root, 0);
  }
  return scene;
}

DamageRegion changesBetween(const SceneSurvey& before, const SceneSurvey& after) {
  if (before.width != after.width || before.height != after.height || before.scale != after.scale ||
      before.background != after.background)
    return DamageRegion::whole(after.width, after.height);
  DamageRegion region;
  std::vector<bool> matched(before.windows.size(), false);
  std::size_t lastMatch = 0;
  bool anyMatch = false;
  for (const auto& now : after.windows) {
    std::size_t i = 0;
    while (i < before.windows.size() && !sameWindows(before.windows[i], now)) ++i;
    if (i == before.windows.size()) {
      region.add(now.extent);
      continue;
    }
    // Windows that swapped places change what covers what everywhere they overlap.
    if (anyMatch && i < lastMatch) return DamageRegion::whole(after.width, after.height);
    anyMatch = true;
    lastMatch = i;
    matched[i] = true;
    if (!now.drawsTheSameAs(before.windows[i])) {
      region.add(before.windows[i].extent);
      region.add(now.extent);
    }
  }
  for (std::size_t i = 0; i < before.windows.size(); ++i)
    if (!matched[i]) region.add(before.windows[i].extent);
  return region;
}

PixelBox areaToDrawFor(const PixelBox& box, const SceneSurvey& scene) {
  PixelBox area = box;
  for (const auto& window : scene.windows)
    for (const auto& whole : window.wholes)
      if (whole.intersects(box)) area = area.united(whole);
  return area;
}

void includeBackdrops(DamageRegion& region, const SceneSurvey& scene) {
  for (bool grew = !region.empty(); grew;) {
    grew = false;
    for (const auto& window : scene.windows)
      for (const auto& backdrop : window.backdrops)
        if (region.intersects(backdrop) && !region.contains(backdrop)) {
          region.add(backdrop);
          grew = true;
        }
  }
}

}  // namespace platform
