#pragma once
// What a view draws, read from the view tree once per frame: the painter draws from these records alone, so
// that whatever decides a view's pixels is in its record, and the renderer finds what changed between two
// frames by comparing their records. Private to platform/.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/graphics/color.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"
#include "platform/render/damage_region.h"
#include "platform/uikit/label.h"
#include "platform/uikit/visual_effect_view.h"

namespace platform {

class UIView;
class UIWindow;
class VideoView;

struct LayerBorder {
  double width;  // finite, positive, at most half the shorter side
  UIColor color;
  bool operator==(const LayerBorder&) const = default;
};

struct LayerShadow {
  UIColor color;
  double opacity;  // the layer's shadow opacity, clamped, times the colour's alpha
  double radius;   // points; 0 for a non-positive or non-finite radius
  CGSize offset;   // points, each within 1e4
  bool operator==(const LayerShadow&) const = default;
};

struct BlurContent {
  UIBlurEffectStyle style;
  bool operator==(const BlurContent&) const = default;
};

struct ImageContent {
  UIImagePtr image;  // by identity: images never change
  CGRect rect;       // where the content mode puts it
  bool operator==(const ImageContent&) const = default;
};

struct TextContent {
  std::string text;  // the first line, valid UTF-8
  std::string fontName;
  double pointSize;
  UIColor color;
  NSTextAlignment alignment;
  bool operator==(const TextContent&) const = default;
};

struct SliderContent {
  CGRect track, thumb;  // standardised and drawable
  CGRect minimumImageRect, maximumImageRect;
  UIImagePtr minimumImage, maximumImage, minimumTrackImage, maximumTrackImage, thumbImage;
  UIColor minimumTrackColor, maximumTrackColor;
  bool operator==(const SliderContent&) const = default;
};

// A video's picture depends on nothing but its frame number; the view draws it.
struct VideoContent {
  std::shared_ptr<const VideoView> video;  // by identity
  std::int64_t frame;
  bool operator==(const VideoContent&) const = default;
};

using ViewContent =
    std::variant<std::monostate, BlurContent, ImageContent, TextContent, SliderContent, VideoContent>;

// A view tree is a list of records in drawing order, each followed by the records of its subviews.
struct ViewRecord {
  CGAffineTransform placement;  // from the view's bounds to its superview's space (cairo's order)
  CGRect bounds;                // standardised
  double alpha = 1;             // in (0, 1]
  std::optional<UIColor> background;  // only a visible one
  double cornerRadius = 0;            // finite
  bool clips = false;
  std::optional<LayerBorder> border;  // only a visible one
  std::optional<LayerShadow> shadow;  // only a visible one
  ViewContent content;
  // The view, its content and its unclipped descendants, in its own space: the size of its group.
  CGRect extent;
  std::uint32_t descendants = 0;  // how many records after this one belong to its subtree
  bool operator==(const ViewRecord&) const = default;
};

// A blur's pixels come from what lies beneath it, which its window's records do not hold. A shadow that an
// enclosing view casts is made from those pixels too, so it spreads them farther than the blur.
struct Backdrop {
  PixelBox beneath;  // the pixels the blur reads
  PixelBox reach;    // every pixel they can change: the blur and the shadows cast from it
};

// One window's records, and what the renderer needs to redraw only part of it.
struct WindowRecord {
  std::weak_ptr<UIWindow> window;
  const UIWindow* address = nullptr;
  std::vector<ViewRecord> views;
  PixelBox extent;                  // every pixel the window can touch, shadows included
  std::vector<Backdrop> backdrops;
  // Drawing operations that must be drawn whole to give a full redraw's pixels: cairo rounds an antialiased
  // shape, an image, a group or what a clip off the pixel grid holds a little differently when the surface
  // cuts it. Plain rectangles need not be, nor clips along whole pixels, nor images copied one pixel to one
  // device pixel at whole-pixel offsets, nor upright videos.
  std::vector<PixelBox> wholes;
};

struct SceneRecord {
  int width = 0, height = 0;
  double scale = 1;
  std::optional<UIColor> background;
  std::vector<WindowRecord> windows;  // in drawing order
};

// `windows` sorted by level and laid out, as the renderer draws them, at the presentation values of `time`.
SceneRecord recordScene(const std::vector<std::shared_ptr<UIWindow>>& windows, int width, int height,
                        double scale, Nanos time, const std::optional<UIColor>& background);

// The view's content and subviews with their model values (what snapshots draw), without the view's own
// position, transform, opacity or shadow. Empty when the view is hidden or its bounds cannot be drawn.
std::vector<ViewRecord> recordInPlace(const std::shared_ptr<UIView>& view);

}  // namespace platform
