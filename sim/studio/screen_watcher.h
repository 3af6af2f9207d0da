#pragma once
// Decides when the studio's screen needs drawing and hands out only frames that differ from the last one,
// so the page gets frames while something moves and nothing while the screen is still.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/graphics/image.h"
#include "platform/graphics/png_frame_encoder.h"
#include "platform/render/renderer.h"

namespace sim {
class SimPhone;
}

namespace sim::studio {

struct ScreenFrame {
  platform::CGImageRef image;
  std::vector<std::uint8_t> png;  // for the page
};

class ScreenWatcher {
 public:
  // `scale` is pixels per point of the frames handed out.
  explicit ScreenWatcher(double scale) : scale_(scale) {}

  // Something happened on the phone at `now` (a request, a trace event): look at the screen for a while,
  // as animations that follow need not leave a trace of their own each frame.
  void poke(platform::Nanos now);
  // Renders when the screen may be changing; answers a frame only when it differs from the last one.
  std::optional<ScreenFrame> look(SimPhone& phone);
  // The screen as it is now, whether or not it changed.
  platform::CGImageRef current(SimPhone& phone);
  // Whether the screen may be changing at `now` (a look may find a new frame).
  bool watching(platform::Nanos now) const { return !last_ || now <= activeUntil_; }
  // Forget the last frame: the next look hands one out (a new page, a rebooted phone).
  void forget();

 private:
  double scale_;
  platform::Renderer renderer_;
  // Bands of rows the last frame shares keep their compressed bytes: a frame in which the HUD moved costs
  // a fraction of a millisecond to encode.
  platform::PngFrameEncoder encoder_;
  platform::Nanos activeUntil_ = 0;
  // The last frame handed out, compared whole: cheaper than a fingerprint of it, and never mistaken.
  platform::CGImageRef last_;
};

// Whether two frames hold the same pixels.
bool sameFrame(const platform::CGImage& a, const platform::CGImage& b);

}  // namespace sim::studio
