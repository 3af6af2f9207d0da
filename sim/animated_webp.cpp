#include "sim/animated_webp.h"

#include <algorithm>

#include <webp/encode.h>
#include <webp/mux.h>

namespace sim {

struct AnimatedWebp::Encoder {
  WebPAnimEncoder* anim = nullptr;
  ~Encoder() {
    if (anim) WebPAnimEncoderDelete(anim);
  }
};

namespace {

int millis(platform::Nanos t) { return static_cast<int>(t / 1'000'000); }

}  // namespace

AnimatedWebp::AnimatedWebp(int widthPx, int heightPx)
    : encoder_(std::make_unique<Encoder>()), width_(widthPx), height_(heightPx) {
  if (!platform::isAcceptableImageSize(widthPx, heightPx)) return;
  WebPAnimEncoderOptions options;
  if (!WebPAnimEncoderOptionsInit(&options)) return;
  options.anim_params.loop_count = 0;
  encoder_->anim = WebPAnimEncoderNew(widthPx, heightPx, &options);
}

AnimatedWebp::~AnimatedWebp() = default;

bool AnimatedWebp::add(const platform::CGImage& frame, platform::Nanos at) {
  if (!encoder_->anim || frame.width() != width_ || frame.height() != height_) return false;
  if (frames_ > 0 && at < last_) return false;
  if (frames_ == 0) first_ = at;
  WebPConfig config;
  if (!WebPConfigInit(&config)) return false;
  config.quality = 90;
  config.method = 2;
  WebPPicture picture;
  if (!WebPPictureInit(&picture)) return false;
  picture.width = width_;
  picture.height = height_;
  picture.use_argb = 1;
  if (!WebPPictureAlloc(&picture)) return false;
  // The encoder wants straight alpha in ARGB words; the bitmap holds premultiplied ones.
  const auto& pixels = frame.pixels();
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      platform::RGBA8 c = platform::unpremultipliedPixel(pixels[static_cast<std::size_t>(y) * width_ + x]);
      picture.argb[y * picture.argb_stride + x] = (std::uint32_t{c.a} << 24) | (std::uint32_t{c.r} << 16) |
                                                  (std::uint32_t{c.g} << 8) | c.b;
    }
  }
  bool ok = WebPAnimEncoderAdd(encoder_->anim, &picture, millis(at - first_), &config) != 0;
  WebPPictureFree(&picture);
  if (!ok) return false;
  last_ = at;
  ++frames_;
  return true;
}

std::vector<std::uint8_t> AnimatedWebp::finish(platform::Nanos end) {
  if (!encoder_->anim || frames_ == 0) return {};
  // The end moment closes the last frame; it must come after it.
  int endMs = std::max(millis(end - first_), millis(last_ - first_) + 1);
  if (!WebPAnimEncoderAdd(encoder_->anim, nullptr, endMs, nullptr)) return {};
  WebPData data;
  WebPDataInit(&data);
  if (!WebPAnimEncoderAssemble(encoder_->anim, &data)) return {};
  std::vector<std::uint8_t> bytes(data.bytes, data.bytes + data.size);
  WebPDataClear(&data);
  return bytes;
}

}  // namespace sim
