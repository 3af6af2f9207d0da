#include "controls/image_utilities.h"

#include <cmath>

#include "platform/graphics/context.h"
#include "platform/graphics/url.h"

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

UIImagePtr decodeBase64ToImage(std::string_view urlString) {
  auto data = platform::NSData::dataWithContentsOfURL(platform::NSURL::URLWithString(urlString));
  return data ? platform::UIImage::imageWithData(data->bytes()) : nullptr;
}

}  // namespace tarvo
