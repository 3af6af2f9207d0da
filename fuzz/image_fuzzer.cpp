// Data URLs and PNG bytes through decodeBase64ToImage:, then fitted and tinted as the HUD does with its icons.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/image_utilities.h"
#include "platform/device/device.h"
#include "platform/foundation/base64.h"
#include "platform/graphics/context.h"

namespace {

// What the HUD does with a decoded icon: its silhouette in a colour, then fitted into 14 x 14 points.
void dress(platform::Process& process, const platform::UIImagePtr& icon) {
  using namespace platform;
  CGSize size = icon->size();
  UIGraphicsBeginImageContextWithOptions(process, size, false, icon->scale());
  if (CGContextRef ctx = UIGraphicsGetCurrentContext(process)) {
    CGContextTranslateCTM(ctx, 0, size.height);
    CGContextScaleCTM(ctx, 1, -1);
    CGContextSetFillColorWithColor(ctx, UIColor::redColor());
    CGContextFillRect(ctx, CGRect{{0, 0}, size});
    CGContextSetBlendMode(ctx, kCGBlendModeDestinationIn);
    CGContextDrawImage(ctx, CGRect{{0, 0}, size}, icon->CGImage());
  }
  UIImagePtr tinted = UIGraphicsGetImageFromCurrentImageContext(process);
  UIGraphicsEndImageContext(process);
  (void)tarvo::scaleImageToSize(process, tinted ? tinted : icon, CGSize{14, 14}, 1.0);
  (void)tarvo::imageResize(process, icon, CGSize{14, 14});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::string url;
  const std::uint8_t mode = data[0] % 3;
  std::vector<std::uint8_t> rest(data + 1, data + size);
  if (mode == 0) url.assign(rest.begin(), rest.end());  // any string as a URL
  else if (mode == 1) url = "data:image/png;base64," + platform::base64Encode(rest);  // PNG bytes, as the icons carry them
  else url = "data:image/png," + std::string(rest.begin(), rest.end());  // percent-encoded payloads
  platform::UIImagePtr image = tarvo::decodeBase64ToImage(url);
  if (!image) return 0;
  platform::DeviceOptions options;
  options.root = "/tmp/tarvo12-image-fuzzer";  // no file is written; a fixed root saves making one per input
  platform::Device device(options);
  platform::Process& process = device.spawn("SpringBoard", std::string("com.apple.springboard"));
  dress(process, image);
  return 0;
}
