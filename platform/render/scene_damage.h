#pragma once
// Which parts of the screen changed between two frames, found by comparing their records, and how much
// to draw so that a part comes out as in a full redraw. Private to platform/.
#include "platform/render/damage_region.h"
#include "platform/render/view_record.h"

namespace platform {

// The pixels that may differ between the two frames.
DamageRegion changesBetween(const SceneRecord& before, const SceneRecord& after);

// The part of the screen to draw so that `box` comes out as in a full redraw: the box and every operation
// that reaches into it, whole.
PixelBox areaToDrawFor(const PixelBox& box, const SceneRecord& scene);

// Grows the region over the reach of every backdrop it touches: a blur must be redrawn whole or not at all,
// since each of its pixels depends on its neighbours beneath, and so must the shadows cast from it.
void includeBackdrops(DamageRegion& region, const SceneRecord& scene);

}  // namespace platform
