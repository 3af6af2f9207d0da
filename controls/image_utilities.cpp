#include "controls/image_utilities.h"

#include <cmath>

#include "platform/graphics/context.h"
#include "platform/graphics/url.h"
#include "platform/render/renderer.h"
#include "platform/runtime/message.h"
#include "platform/uikit/image_object.h"
#include "platform/uikit/layer.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/view.h"

namespace tarvo {

using platform::CGRect;
using platform::CGSize;
using platform::UIImagePtr;

namespace {
// Opens a transparent context at the screen's scale, lets `draw` fill it, and answers its image.
template <class Draw>
UIImagePtr drawImage(platform::Process& process, CGSize size, Draw draw) {
  platform::UIGraphicsBeginImageContextWithOptions(process, size, false, 0);
  draw();
  UIImagePtr image = platform::UIGraphicsGetImageFromCurrentImageContext(process);
  platform::UIGraphicsEndImageContext(process);
  return image;
}
}  // namespace

UIImagePtr scaleImageToSize(platform::Process& process, const UIImagePtr& image, CGSize size, double alpha) {
  return drawImage(process, size, [&] {
    if (!image) return;
    CGSize from = image->size();
    if (!(from.width > 0) || !(from.height > 0)) return;
    double f = std::fmin(size.width / from.width, size.height / from.height);
    CGSize drawn{from.width * f, from.height * f};
    CGRect rect{{(size.width - drawn.width) * 0.5, (size.height - drawn.height) * 0.5}, drawn};
    image->drawInRect(process, rect, platform::kCGBlendModeNormal, alpha);
  });
}

UIImagePtr imageResize(platform::Process& process, const UIImagePtr& image, CGSize size) {
  return drawImage(process, size, [&] {
    if (image) image->drawInRect(process, CGRect{{0, 0}, size});
  });
}

UIImagePtr imageFromLayer(platform::Process& process, const platform::CALayer* layer) {
  CGSize size = layer ? layer->delegate().frame().size : CGSize{0, 0};
  platform::UIGraphicsBeginImageContextWithOptions(process, size, layer && layer->isOpaque(), 0);
  if (platform::CGContextRef ctx = platform::UIGraphicsGetCurrentContext(process); ctx && layer)
    platform::renderInContext(*layer, ctx);
  UIImagePtr image = platform::UIGraphicsGetImageFromCurrentImageContext(process);
  platform::UIGraphicsEndImageContext(process);
  return image;
}

UIImagePtr decodeBase64ToImage(std::string_view urlString) {
  auto data = platform::NSData::dataWithContentsOfURL(platform::NSURL::URLWithString(urlString));
  return data ? platform::UIImage::imageWithData(data->bytes()) : nullptr;
}

}  // namespace tarvo

namespace tarvo {

void registerImageCategories(platform::Process& process) {
  rt::Class* image = platform::uikitClass(process, "UIImage");
  if (!image) return;
  using platform::UIImagePtr;
  platform::Process* owner = &process;
  rt::defineMethod<UIImagePtr(CGSize, double)>(
      *image, "scaleImageToSize:alpha:", [owner](const rt::Id& self, CGSize size, double alpha) {
        return scaleImageToSize(*owner, platform::imageOf(self), size, alpha);
      });
  rt::defineMethod<UIImagePtr(const platform::CALayer*)>(
      image->metaclass(), "imageFromLayer:",
      [owner](const rt::Id&, const platform::CALayer* layer) { return imageFromLayer(*owner, layer); });
  rt::defineMethod<UIImagePtr(UIImagePtr, CGSize)>(
      image->metaclass(), "imageResize:andResizeTo:",
      [owner](const rt::Id&, UIImagePtr source, CGSize size) { return imageResize(*owner, source, size); });
  rt::defineMethod<UIImagePtr(std::string)>(*image, "decodeBase64ToImage:",
                                            [](const rt::Id&, std::string url) { return decodeBase64ToImage(url); });
}

}  // namespace tarvo
