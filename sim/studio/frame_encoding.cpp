#include "sim/studio/frame_encoding.h"

#include <webp/encode.h>

namespace sim::studio {

namespace {

int collect(const std::uint8_t* data, std::size_t size, const WebPPicture* picture) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(picture->custom_ptr);
  out->insert(out->end(), data, data + size);
  return 1;
}

}  // namespace

std::vector<std::uint8_t> encodeFrame(const platform::CGImage& image) {
  std::vector<std::uint8_t> out;
  WebPConfig config;
  WebPPicture picture;
  if (!WebPConfigInit(&config) || !WebPPictureInit(&picture)) return out;
  config.lossless = 1;
  config.method = 0;
  config.quality = 0;
  picture.use_argb = 1;
  picture.width = image.width();
  picture.height = image.height();
  if (!WebPPictureAlloc(&picture)) return out;
  const auto& pixels = image.pixels();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      platform::RGBA8 c = platform::unpremultipliedPixel(pixels[static_cast<std::size_t>(y) * image.width() + x]);
      picture.argb[y * picture.argb_stride + x] =
          (std::uint32_t{c.a} << 24) | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
    }
  }
  picture.writer = collect;
  picture.custom_ptr = &out;
  if (!WebPEncode(&config, &picture)) out.clear();
  WebPPictureFree(&picture);
  return out;
}

}  // namespace sim::studio
