#pragma once
// The still built-in pictures, drawn once per size in pixels: the landscape photograph and the street map.
// Private to platform/.
#include "platform/graphics/image.h"

namespace platform {

// The landscape of the video at its start, with a photograph's grain.
CGImageRef drawPhoto(int width, int height);
// Blocks, streets, a river with a bridge, parks and a highway, seen from above.
CGImageRef drawMap(int width, int height);

}  // namespace platform
