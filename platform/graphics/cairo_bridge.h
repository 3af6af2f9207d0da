#pragma once
// Between the platform's bitmaps and cairo. Private to platform/: system code never sees cairo.
#include <cairo.h>

#include <memory>

#include "platform/graphics/blend_mode.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"

namespace platform::cairo {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

// A transparent ARGB32 surface; sizes outside the accepted range give a 0 x 0 surface.
SurfacePtr makeSurface(int width, int height);
// A surface reading the image's pixels in place; the image must outlive it. Never drawn into.
SurfacePtr wrapImage(const CGImage& image);
// A copy of the surface's pixels; `opaque` forces every alpha to full.
CGImageRef snapshot(cairo_surface_t* surface, bool opaque = false);

cairo_operator_t toCairoOperator(CGBlendMode mode);

// Maps the bitmap's pixel square onto `rect` in user space as `orientation` says and paints it, clipped to
// the rect. Rectangles that are empty, not finite or absurdly large are skipped.
void paintImage(cairo_t* cr, const CGImage& image, CGRect rect, UIImageOrientation orientation, double alpha,
                cairo_operator_t op);
// CoreGraphics' own convention: the first row lands at the rect's maximum y (upside down in a UIKit context).
void paintImageFlipped(cairo_t* cr, const CGImage& image, CGRect rect, double alpha, cairo_operator_t op);

// Whether a rectangle is safe to hand to cairo (finite, not absurdly far away or large).
bool isDrawable(CGRect rect);
// Whether a matrix can be applied without putting the cairo context into an error state.
bool isUsableMatrix(const cairo_matrix_t& m);

}  // namespace platform::cairo
