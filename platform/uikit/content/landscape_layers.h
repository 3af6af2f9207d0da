#pragma once
// The landscape both the photo and the video show, drawn once per size as three layers: the sky with its
// sun, a band of clouds, and the land (mountains, hills, near hills and the meadow). The photo lays them
// over one another and adds grain; the video slides the clouds across the sky, which costs three image
// copies a frame rather than any drawing. Private to platform/.
#include <cairo.h>

#include "platform/graphics/cairo_bridge.h"

namespace platform {

struct LandscapeLayers {
  int width = 0, height = 0;
  cairo::SurfacePtr sky;     // opaque, rows 0 to landOpaqueFrom (the land covers the rest)
  cairo::SurfacePtr clouds;  // rows 0 to its height, repeating seamlessly from left to right
  cairo::SurfacePtr land;    // rows landTop to the bottom; transparent above the ridges
  int landTop = 0;
  int landOpaqueFrom = 0;  // from this row down the land covers everything
  static constexpr double kCloudSpeed = 0.06;  // picture widths per second, to the left
};

// Deterministic: the same size always gives the same pixels.
LandscapeLayers drawLandscapeLayers(int width, int height);

// Paints the picture with the clouds `seconds` of drift to the left, its pixel (0, 0) at cr's user origin,
// one user unit a pixel. The clouds move by whole pixels, so each layer is a plain copy.
void paintLandscape(cairo_t* cr, const LandscapeLayers& layers, double seconds);

}  // namespace platform
