#include "platform/uikit/content/video_view.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "platform/device/device.h"
#include "platform/device/process.h"
#include "platform/graphics/cairo_bridge.h"
#include "platform/uikit/content/landscape_layers.h"
#include "platform/uikit/uikit_classes.h"

namespace platform {

namespace {

constexpr const char* kClassName = "VideoView";
constexpr std::size_t kSizesKept = 2;
// Larger frames are drawn from layers of this size, stretched.
constexpr double kLargestLayerPixels = 4096;

}  // namespace

VideoView::VideoView(rt::Class& cls) : UIView(cls) { setUserInteractionEnabled(false); }

VideoView::~VideoView() = default;

std::int64_t VideoView::frameAt(Nanos time) {
  if (time <= 0) return 0;
  return time / (kNanosPerSecond / kFramesPerSecond);
}

std::int64_t VideoView::frameShownAt(std::optional<Nanos> time) const {
  return frameAt(time ? *time : process().device().now());
}

const LandscapeLayers& VideoView::layersFor(int width, int height) const {
  for (const auto& layers : layers_)
    if (layers->width == width && layers->height == height) return *layers;
  if (layers_.size() == kSizesKept) layers_.erase(layers_.begin());
  layers_.push_back(std::make_shared<const LandscapeLayers>(drawLandscapeLayers(width, height)));
  return *layers_.back();
}

void VideoView::drawFrame(cairo_t* cr, CGRect bounds, std::int64_t frame) const {
  bounds = CGRectStandardize(bounds);
  if (!cairo::isDrawable(bounds) || !(bounds.size.width >= 1) || !(bounds.size.height >= 1)) return;
  // Layers as large as the frame's pixels, so that each band is a plain copy.
  double w = bounds.size.width, h = bounds.size.height;
  cairo_user_to_device_distance(cr, &w, &h);
  w = std::fabs(w), h = std::fabs(h);
  if (!std::isfinite(w) || !std::isfinite(h)) return;
  int width = static_cast<int>(std::lround(std::clamp(w, 1.0, kLargestLayerPixels)));
  int height = static_cast<int>(std::lround(std::clamp(h, 1.0, kLargestLayerPixels)));
  const LandscapeLayers& layers = layersFor(width, height);
  cairo_save(cr);
  cairo_rectangle(cr, bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
  cairo_clip(cr);
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  double x = bounds.origin.x, y = bounds.origin.y;
  cairo_user_to_device(cr, &x, &y);
  if (m.xy == 0 && m.yx == 0 && m.xx > 0 && m.yy > 0 && std::fabs(x) < 1e6 && std::fabs(y) < 1e6) {
    // Upright: the bands land on whole device pixels and each is a plain copy.
    cairo_identity_matrix(cr);
    cairo_translate(cr, std::round(x), std::round(y));
  } else {
    cairo_translate(cr, bounds.origin.x, bounds.origin.y);
    cairo_scale(cr, bounds.size.width / width, bounds.size.height / height);
  }
  paintLandscape(cr, layers, static_cast<double>(frame) / kFramesPerSecond);
  cairo_restore(cr);
}

std::shared_ptr<VideoView> makeVideoView(Process& process, CGRect frame) {
  rt::Runtime& runtime = process.runtime();
  if (!runtime.lookUpClass(kClassName) && uikitClass(process, "UIView"))
    runtime.registerClass(kClassName, "UIView").setAllocator([](rt::Class& cls) {
      return std::make_shared<VideoView>(cls);
    });
  return makeView<VideoView>(process, kClassName, frame);
}

}  // namespace platform
