#pragma once
// Draws recorded view trees with cairo: transforms about the centre, group opacity, backgrounds, rounded
// corners and clipping, layer shadows, blur effects over what lies beneath, images, label text and sliders.
// It reads nothing but the records (view_record.h). Private to platform/.
#include <cairo.h>

#include <vector>

#include "platform/graphics/geometry.h"
#include "platform/render/view_record.h"
#include "platform/uikit/view.h"

namespace platform {

class BlurCache;
class FontCache;
class SurfacePool;

// Deeper trees are not drawn: they cannot be real, and recursion needs a bound.
inline constexpr int kDeepestView = 200;
// The widest shadow blur, in pixels.
inline constexpr double kLargestShadowSigma = 100;

class ViewPainter {
 public:
  // Scratch surfaces come from `surfaces`; nothing for `blurs`: every blur is computed.
  ViewPainter(cairo_t* cr, FontCache& fonts, SurfacePool& surfaces, BlurCache* blurs = nullptr);
  ~ViewPainter();
  ViewPainter(const ViewPainter&) = delete;
  ViewPainter& operator=(const ViewPainter&) = delete;

  // The target shows only part of a larger screen: its pixel (0, 0) is the screen's (x, y). Shadows, groups
  // and blurs are then made as they would be on the whole screen.
  void showsPartOfScreen(int x, int y, int screenWidth, int screenHeight);

  // Draws the recorded tree in its root's superview's coordinate space, which is cr's current user space.
  void drawView(const std::vector<ViewRecord>& views);
  // Draws a tree recorded in place (recordInPlace) in the root view's own coordinate space.
  void drawInPlace(const std::vector<ViewRecord>& views);

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

  // Each answers the index of the record after the subtree drawn.
  std::size_t drawView(const std::vector<ViewRecord>& views, std::size_t at);
  std::size_t drawContents(const std::vector<ViewRecord>& views, std::size_t at);
  std::size_t drawOffscreen(const std::vector<ViewRecord>& views, std::size_t at);
  void drawShadow(const ViewRecord& view, cairo_surface_t* content, const DeviceBox& box);
  void drawBlur(const ViewRecord& view, const BlurContent& blur);
  void drawSlider(const SliderContent& slider);

  // A rectangle of the current user space on the first surface, clipped to it; empty when nothing is left.
  DeviceBox deviceBoxOf(CGRect rect) const;
  double deviceScale() const;
  void blur(cairo_surface_t* surface, double sigma, bool clampEdges);

  FontCache& fonts_;
  SurfacePool& surfaces_;
  BlurCache* blurs_;
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
