#pragma once
// A Gaussian blur approximated by three box blurs, on cairo image surfaces (ARGB32 premultiplied or A8).
// Private to platform/.
#include <cairo.h>

namespace platform {

// sigma in pixels (capped); `clampEdges` repeats the edge pixels beyond the surface instead of transparency.
void blurSurface(cairo_surface_t* surface, double sigma, bool clampEdges);

}  // namespace platform
