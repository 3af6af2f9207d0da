#pragma once
// Frames for the page, encoded for speed: lossless WebP at the encoder's fastest setting, which costs a
// fraction of a PNG at the same size and decodes as quickly in the browser.
#include <cstdint>
#include <vector>

#include "platform/graphics/image.h"

namespace sim::studio {

// Empty on failure.
std::vector<std::uint8_t> encodeFrame(const platform::CGImage& image);

}  // namespace sim::studio
