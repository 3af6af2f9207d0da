#pragma once
// An animated WebP built frame by frame: each frame stays on screen until the next one's moment, so a
// still stretch costs one frame. Nothing keeps a full-size frame after it is added.
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

  // Adds the frame shown from `at` on; false when it does not fit (another size, a moment before the last
  // frame's) or the encoder failed.
  bool add(const platform::CGImage& frame, platform::Nanos at);
  // The file, with the last frame shown until `end`; empty on failure or without frames.
  std::vector<std::uint8_t> finish(platform::Nanos end);

 private:
  struct Encoder;
  std::unique_ptr<Encoder> encoder_;
  int width_;
  int height_;
  platform::Nanos first_ = 0;
  platform::Nanos last_ = 0;
  int frames_ = 0;
};

}  // namespace sim
