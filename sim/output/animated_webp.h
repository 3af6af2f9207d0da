#pragma once
// A lossless animated WebP of a run of frames at their real timing (libwebp's encoder and muxer). Frames that
// repeat the one before only lengthen it, and a frame is stored as the area that changed, so its cost
// follows the change.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/graphics/image.h"

namespace sim {

class AnimatedWebp {
 public:
  AnimatedWebp(int widthPx, int heightPx);
  ~AnimatedWebp();
  AnimatedWebp(const AnimatedWebp&) = delete;
  AnimatedWebp& operator=(const AnimatedWebp&) = delete;

  // `at` is the moment the frame appears; times are taken relative to the first frame, in milliseconds.
  // False (and the frame left out) when its size differs, it comes no later than the frame before, or the
  // encoder failed.
  bool add(const platform::CGImage& frame, platform::Nanos at);
  // The file's bytes; the last frame lasts until `end`. Empty when no frame was added or encoding failed.
  std::vector<std::uint8_t> finish(platform::Nanos end);

 private:
  struct Encoder;
  std::unique_ptr<Encoder> encoder_;
  int width_;
  int height_;
  bool started_ = false;
  bool failed_ = false;
  platform::Nanos first_ = 0;
  int lastMs_ = -1;
  std::vector<std::uint32_t> last_;  // the last frame given to the encoder, as it came
  std::vector<std::uint32_t> area_;  // the part of a frame being encoded, unpremultiplied
};

}  // namespace sim
