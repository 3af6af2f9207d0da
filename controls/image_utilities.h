#pragma once
// The image helpers the HUD uses to fit, resize, snapshot and decode its icons.
#include <string_view>

#include "platform/graphics/geometry.h"
#include "platform/graphics/image.h"

namespace platform {
class CALayer;
class Process;
class UIView;
}  // namespace platform

namespace rt {
class Runtime;
}

namespace tarvo {

// Aspect fit, centred on a transparent canvas of exactly `size`, drawn with normal blending and `alpha`,
// at the screen's scale. An image without pixels (or nil) gives the transparent canvas: nothing to divide by.
platform::UIImagePtr scaleImageToSize(platform::Process& process, const platform::UIImagePtr& image,
                                      platform::CGSize size, double alpha);

// Stretched to `size`; the aspect ratio is not kept.
platform::UIImagePtr imageResize(platform::Process& process, const platform::UIImagePtr& image,
                                 platform::CGSize size);

// A snapshot of the layer (rendered with renderInContext:) at its frame's size and the screen's scale, opaque
// exactly when the layer is. Nil layer: an empty image context's image.
platform::UIImagePtr imageFromLayer(platform::Process& process, const platform::CALayer* layer);

// A URL string (normally a data: URL) to an image at scale 1; nil when it is no URL, cannot be loaded, or
// is not an image.
platform::UIImagePtr decodeBase64ToImage(std::string_view urlString);

}  // namespace tarvo

namespace tarvo {

// The four categories on UIImage, as the runtime answers them, with the functions above behind them:
// `scale` (instance: scaleImageToSize:alpha:), `imageFromLayer` (class: imageFromLayer:), `imageResize`
// (class: imageResize:andResizeTo:) and `decodeBase64` (instance: decodeBase64ToImage:, receiver unused).
// Images go in and come out as platform::UIImagePtr; the layer as a pointer.
void registerImageCategories(platform::Process& process);

}  // namespace tarvo
