#pragma once
// Draws a view tree with cairo: transforms about the centre, group opacity, backgrounds, rounded corners and
// clipping, layer shadows, blur effects over what lies beneath, images, label text and sliders.
// Private to platform/.
#include <cairo.h>

#include <memory>
#include <optional>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/graphics/geometry.h"
#include "platform/uikit/view.h"

namespace platform {

class BlurCache;
class FontCache;
class SurfacePool;
class UIImageView;
class UISlider;
class UIVisualEffectView;

// Deeper trees are not drawn: they cannot be real, and recursion needs a bound.
inline constexpr int kDeepestView = 200;

class ViewPainter {
 public:
  // `time`: the values on screen at that moment; nothing: the model values (what snapshots draw).
  // Scratch surfaces come from `surfaces`.
  ViewPainter(cairo_t* cr, FontCache& fonts, SurfacePool& surfaces, std::optional<Nanos> time,
              BlurCache* blurs = nullptr);
  ~ViewPainter();
  ViewPainter(const ViewPainter&) = delete;
  ViewPainter& operator=(const ViewPainter&) = delete;

  // The target shows only part of a larger screen: its pixel (0, 0) is the screen's (x, y). Shadows, groups
  // and blurs are then made as they would be on the whole screen.
  void showsPartOfScreen(int x, int y, int screenWidth, int screenHeight);

  // Draws the view in its superview's coordinate space, which is cr's current user space.
  void drawView(const std::shared_ptr<UIView>& view, int depth = 0);
  // Draws the view's content and subviews in the view's own coordinate space, without its own position,
  // transform, opacity or shadow.
  void drawInPlace(const std::shared_ptr<UIView>& view);

 private:
  // A surface being drawn into, and where its pixel (0, 0) lies on the first one.
  struct Target {
    cairo_t* cr;
    int x0;
    int y0;
  };
  struct DeviceBox {
    int x = 0, y = 0, width = 0, height = 0;
  };

  cairo_t* cr() const { return targets_.back().cr; }
  ViewPresentation presentationOf(const UIView& view) const;
  float sliderValueOf(const UISlider& slider) const;

  void drawContents(const std::shared_ptr<UIView>& view, const ViewPresentation& p, int depth);
  void drawOffscreen(const std::shared_ptr<UIView>& view, const ViewPresentation& p, double alpha, int depth);
  void drawShadow(const UIView& view, const ViewPresentation& p, cairo_surface_t* content,
                  const DeviceBox& box, double alpha);
  void drawBlur(const UIVisualEffectView& view, CGRect bounds);
  void drawImageView(const UIImageView& view, CGRect bounds);
  void drawSlider(const std::shared_ptr<UISlider>& slider, CGRect bounds);

  // The area the view and its unclipped descendants cover, in its own coordinates.
  CGRect extentOf(const std::shared_ptr<UIView>& view, const ViewPresentation& p, int depth) const;
  // A rectangle of the current user space on the first surface, clipped to it; empty when nothing is left.
  DeviceBox deviceBoxOf(CGRect rect) const;
  double deviceScale() const;
  void blur(cairo_surface_t* surface, double sigma, bool clampEdges);

  FontCache& fonts_;
  SurfacePool& surfaces_;
  BlurCache* blurs_;  // nothing: every blur is computed
  std::optional<Nanos> time_;
  cairo_surface_t* screen_;
  int screenWidth_;
  int screenHeight_;
  std::vector<Target> targets_;
};

// Where an image view draws an image of `image` size in `bounds` under the content mode.
CGRect imageRectInBounds(CGRect bounds, CGSize image, UIViewContentMode mode);

// The rounded rectangle a layer's corner radius gives, as the current path.
void roundedRectPath(cairo_t* cr, CGRect rect, double radius);

}  // namespace platform
