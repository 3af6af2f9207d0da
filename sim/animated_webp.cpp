#include "sim/animated_webp.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace sim {

struct AnimatedWebp::Encoder {
  WebPAnimEncoder* encoder = nullptr;
  WebPConfig config;
  ~Encoder() {
    if (encoder) WebPAnimEncoderDelete(encoder);
  }
};

namespace {

constexpr int kLongestMs = std::numeric_limits<int>::max() / 2;

// The encoder writes a recording of one frame as a still image, which has no length; a recording keeps
// its length, so that one frame becomes an animation lasting `durationMs`. The muxer too makes a lone frame
// that covers the canvas a still image, so the frame is stored twice: all but the last millisecond, then that.
bool asAnimation(WebPData& data, int durationMs) {
  WebPMux* still = WebPMuxCreate(&data, 1);
  if (!still) return false;
  std::uint32_t flags = 0;
  bool ok = WebPMuxGetFeatures(still, &flags) == WEBP_MUX_OK;
  if (ok && (flags & ANIMATION_FLAG)) {
    WebPMuxDelete(still);
    return true;
  }
  WebPMuxFrameInfo image{};
  ok = ok && WebPMuxGetFrame(still, 1, &image) == WEBP_MUX_OK;
  WebPMux* animation = ok ? WebPMuxNew() : nullptr;
  if (animation) {
    WebPMuxFrameInfo frame{};
    frame.bitstream = image.bitstream;
    frame.duration = std::max(1, durationMs - 1);
    frame.id = WEBP_CHUNK_ANMF;
    frame.dispose_method = WEBP_MUX_DISPOSE_NONE;
    frame.blend_method = WEBP_MUX_NO_BLEND;
    WebPMuxAnimParams params{0xffffffffu, 0};  // the encoder's own: white behind, looping for ever
    WebPData out;
    WebPDataInit(&out);
    WebPMuxFrameInfo last = frame;
    last.duration = 1;
    ok = WebPMuxPushFrame(animation, &frame, 1) == WEBP_MUX_OK && WebPMuxPushFrame(animation, &last, 1) == WEBP_MUX_OK &&
         WebPMuxSetAnimationParams(animation, &params) == WEBP_MUX_OK && WebPMuxAssemble(animation, &out) == WEBP_MUX_OK;
    if (ok) {
      WebPDataClear(&data);
      data = out;
    }
    WebPMuxDelete(animation);
  }
  WebPDataClear(&image.bitstream);
  WebPMuxDelete(still);
  return ok;
}

int millisecondsBetween(platform::Nanos from, platform::Nanos to) {
  double ms = std::round(static_cast<double>(to - from) / 1e6);
  return static_cast<int>(std::clamp(ms, 0.0, static_cast<double>(kLongestMs)));
}

}  // namespace

AnimatedWebp::AnimatedWebp(int widthPx, int heightPx)
    : encoder_(std::make_unique<Encoder>()), width_(widthPx), height_(heightPx) {
  WebPAnimEncoderOptions options;
  if (widthPx <= 0 || heightPx <= 0 || widthPx > WEBP_MAX_DIMENSION || heightPx > WEBP_MAX_DIMENSION ||
      !WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&encoder_->config)) {
    failed_ = true;
    return;
  }
  options.kmax = 0;  // no key frames: a recording is watched from its start, and key frames cost whole screens
  options.allow_mixed = 0;
  options.minimize_size = 0;
  encoder_->config.lossless = 1;
  encoder_->config.method = 0;   // the fastest
  encoder_->config.quality = 0;  // for lossless: the least effort
  encoder_->encoder = WebPAnimEncoderNew(widthPx, heightPx, &options);
  failed_ = encoder_->encoder == nullptr || !WebPValidateConfig(&encoder_->config);
}

AnimatedWebp::~AnimatedWebp() = default;

bool AnimatedWebp::add(const platform::CGImage& frame, platform::Nanos at) {
  if (failed_ || frame.width() != width_ || frame.height() != height_) return false;
  if (!started_) {
    started_ = true;
    first_ = at;
  }
  if (at < first_) return false;
  int ms = millisecondsBetween(first_, at);
  if (ms <= lastMs_) return false;

  // The encoder wants straight (not premultiplied) ARGB words, the layout the frames already have.
  const auto& pixels = frame.pixels();
  next_.resize(pixels.size());
  std::transform(pixels.begin(), pixels.end(), next_.begin(), [](std::uint32_t p) {
    if ((p >> 24) == 0xff) return p;
    platform::RGBA8 c = platform::unpremultipliedPixel(p);
    return (std::uint32_t{c.a} << 24) | (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
  });
  // A frame like the one before only lengthens it. The encoder would find that out too, but only after
  // several passes over the whole screen; most frames of a recording are still.
  if (lastMs_ >= 0 && next_ == argb_) return true;
  argb_.swap(next_);
  WebPPicture picture;
  if (!WebPPictureInit(&picture)) return false;
  picture.use_argb = 1;
  picture.width = width_;
  picture.height = height_;
  picture.argb = argb_.data();
  picture.argb_stride = width_;
  if (!WebPAnimEncoderAdd(encoder_->encoder, &picture, ms, &encoder_->config)) {
    failed_ = true;
    return false;
  }
  lastMs_ = ms;
  return true;
}

std::vector<std::uint8_t> AnimatedWebp::finish(platform::Nanos end) {
  if (failed_ || !started_) return {};
  int endMs = std::max(millisecondsBetween(first_, std::max(end, first_)), lastMs_ + 1);
  failed_ = true;  // nothing more can be added
  if (!WebPAnimEncoderAdd(encoder_->encoder, nullptr, endMs, nullptr)) return {};
  WebPData data;
  WebPDataInit(&data);
  if (!WebPAnimEncoderAssemble(encoder_->encoder, &data)) return {};
  if (!asAnimation(data, endMs)) {
    WebPDataClear(&data);
    return {};
  }
  std::vector<std::uint8_t> bytes(data.bytes, data.bytes + data.size);
  WebPDataClear(&data);
  return bytes;
}

}  // namespace sim
