#include "sim/output/animated_webp.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace sim {

namespace {

constexpr int kLongestMs = std::numeric_limits<int>::max() / 2;
constexpr int kLongestFrameMs = (1 << 24) - 1;  // a frame's duration has 24 bits

int millisecondsBetween(platform::Nanos from, platform::Nanos to) {
  double ms = std::round(static_cast<double>(to - from) / 1e6);
  return static_cast<int>(std::clamp(ms, 0.0, static_cast<double>(kLongestMs)));
}

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
};

// The smallest rectangle holding every pixel that differs, its corner on even coordinates as the format
// stores offsets in steps of two.
Rect changedArea(const std::vector<std::uint32_t>& before, const std::vector<std::uint32_t>& after, int width,
                 int height) {
  int top = height, bottom = -1, left = width, right = -1;
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* a = before.data() + static_cast<std::size_t>(y) * width;
    const std::uint32_t* b = after.data() + static_cast<std::size_t>(y) * width;
    if (std::equal(a, a + width, b)) continue;
    top = std::min(top, y);
    bottom = y;
    int first = 0;
    while (a[first] == b[first]) ++first;
    int last = width - 1;
    while (a[last] == b[last]) --last;
    left = std::min(left, first);
    right = std::max(right, last);
  }
  if (bottom < 0) return {};
  top &= ~1;
  left &= ~1;
  return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace

// Each frame is stored as the rectangle that changed since the frame before, encoded on its own and laid
// over the canvas: the cost follows the change, where libwebp's animation encoder scans the whole canvas
// several times for every frame. A frame waits for the next one (or the end) to learn its duration.
struct AnimatedWebp::Encoder {
  WebPMux* mux = nullptr;
  WebPConfig config;
  WebPMemoryWriter pending;
  Rect pendingArea;
  int pendingMs = -1;
  int framesPushed = 0;
  ~Encoder() {
    if (mux) WebPMuxDelete(mux);
    WebPMemoryWriterClear(&pending);
  }
  // `last`: no frame follows. The muxer makes a lone frame that covers the canvas a still image, which has
  // no length; a recording keeps its length, so such a frame is stored twice: all but the last
  // millisecond, then that.
  bool flush(int untilMs, bool last = false) {
    if (pendingMs < 0) return true;
    WebPMuxFrameInfo frame{};
    frame.bitstream.bytes = pending.mem;
    frame.bitstream.size = pending.size;
    frame.x_offset = pendingArea.x;
    frame.y_offset = pendingArea.y;
    frame.id = WEBP_CHUNK_ANMF;
    frame.dispose_method = WEBP_MUX_DISPOSE_NONE;
    frame.blend_method = WEBP_MUX_NO_BLEND;  // the rectangle replaces what was there, alpha included
    // A frame longer than the format's longest duration is stored again for the rest.
    bool pushed = true;
    int left = std::max(untilMs - pendingMs, 1);
    if (last && framesPushed == 0 && left > 1) --left;
    for (; left > 0 && pushed; left -= frame.duration) {
      frame.duration = std::min(left, kLongestFrameMs);
      pushed = WebPMuxPushFrame(mux, &frame, 1) == WEBP_MUX_OK;
      ++framesPushed;
    }
    if (pushed && last && framesPushed == 1) {
      frame.duration = 1;
      pushed = WebPMuxPushFrame(mux, &frame, 1) == WEBP_MUX_OK;
    }
    WebPMemoryWriterClear(&pending);
    WebPMemoryWriterInit(&pending);
    pendingMs = -1;
    return pushed;
  }
};

AnimatedWebp::AnimatedWebp(int widthPx, int heightPx)
    : encoder_(std::make_unique<Encoder>()), width_(widthPx), height_(heightPx) {
  WebPMemoryWriterInit(&encoder_->pending);
  if (widthPx <= 0 || heightPx <= 0 || widthPx > WEBP_MAX_DIMENSION || heightPx > WEBP_MAX_DIMENSION ||
      !WebPConfigInit(&encoder_->config)) {
    failed_ = true;
    return;
  }
  encoder_->config.lossless = 1;
  encoder_->config.method = 0;   // the fastest
  encoder_->config.quality = 0;  // for lossless: the least effort
  encoder_->mux = WebPMuxNew();
  failed_ = encoder_->mux == nullptr || !WebPValidateConfig(&encoder_->config);
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

  // A frame like the one before only lengthens it; most frames of a recording are still.
  const auto& pixels = frame.pixels();
  Rect area{0, 0, width_, height_};
  if (lastMs_ >= 0) {
    area = changedArea(last_, pixels, width_, height_);
    if (area.width == 0) return true;
  } else {
    last_.resize(pixels.size());
  }
  // The format wants straight (not premultiplied) ARGB words, the layout the frames already have.
  area_.resize(static_cast<std::size_t>(area.width) * area.height);
  for (int y = 0; y < area.height; ++y) {
    std::size_t from = static_cast<std::size_t>(area.y + y) * width_ + area.x;
    std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(from), area.width, last_.begin() + static_cast<std::ptrdiff_t>(from));
    std::transform(pixels.begin() + static_cast<std::ptrdiff_t>(from),
                   pixels.begin() + static_cast<std::ptrdiff_t>(from + area.width),
                   area_.begin() + static_cast<std::ptrdiff_t>(y) * area.width, platform::straightPixel);
  }
  WebPPicture picture;
  if (!WebPPictureInit(&picture)) return false;
  picture.use_argb = 1;
  picture.width = area.width;
  picture.height = area.height;
  picture.argb = area_.data();
  picture.argb_stride = area.width;
  WebPMemoryWriter bytes;
  WebPMemoryWriterInit(&bytes);
  picture.writer = WebPMemoryWrite;
  picture.custom_ptr = &bytes;
  bool encoded = WebPEncode(&encoder_->config, &picture) != 0;
  WebPPictureFree(&picture);  // frees only what the encoder made; the pixels stay ours
  if (!encoded || !encoder_->flush(ms)) {
    WebPMemoryWriterClear(&bytes);
    failed_ = true;
    return false;
  }
  WebPMemoryWriterClear(&encoder_->pending);
  encoder_->pending = bytes;
  encoder_->pendingArea = area;
  encoder_->pendingMs = ms;
  lastMs_ = ms;
  return true;
}

std::vector<std::uint8_t> AnimatedWebp::finish(platform::Nanos end) {
  if (failed_ || !started_) return {};
  int endMs = std::max(millisecondsBetween(first_, std::max(end, first_)), lastMs_ + 1);
  failed_ = true;  // nothing more can be added
  if (!encoder_->flush(endMs, true)) return {};
  WebPMuxAnimParams params{};
  params.bgcolor = 0;
  params.loop_count = 0;
  if (WebPMuxSetAnimationParams(encoder_->mux, &params) != WEBP_MUX_OK ||
      WebPMuxSetCanvasSize(encoder_->mux, width_, height_) != WEBP_MUX_OK)
    return {};
  WebPData data;
  WebPDataInit(&data);
  if (WebPMuxAssemble(encoder_->mux, &data) != WEBP_MUX_OK) return {};
  std::vector<std::uint8_t> bytes(data.bytes, data.bytes + data.size);
  WebPDataClear(&data);
  return bytes;
}

}  // namespace sim
