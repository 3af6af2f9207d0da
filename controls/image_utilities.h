#pragma once
// The image helpers the HUD uses to fit, resize, snapshot and decode its icons.
#include <string_view>

#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"

namespace platform {
class Process;
class UIView;
}  // namespace platform

namespace tarvo {

// Aspect fit, centred on a transparent canvas of exactly `size`, drawn with normal blending and `alpha`,
// at the screen's scale. An image without pixels (or nil) gives the transparent canvas: nothing to divide by.
platform::UIImagePtr scaleImageToSize(platform::Process& process, const platform::UIImagePtr& image,
                                      platform::CGSize size, double alpha);

// Stretched to `size`; the aspect ratio is not kept.
platform::UIImagePtr imageResize(platform::Process& process, const platform::UIImagePtr& image,
                                 platform::CGSize size);

// A URL string (normally a data: URL) to an image at scale 1; nil when it is no URL, cannot be loaded, or
// is not an image.
platform::UIImagePtr decodeBase64ToImage(std::string_view urlString);

}  // namespace tarvo
