#pragma once
// "Record": the frames the screen shows over a stretch of time, gathered on the phone's thread and handed
// to whoever waits for them as an animated WebP.
#include <cstdint>
#include <future>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/graphics/image.h"
#include "sim/output/animated_webp.h"

namespace sim::studio {

class ScreenRecording {
 public:
  // Starts with the screen as it is at `start`.
  ScreenRecording(const platform::CGImage& first, platform::Nanos start, platform::Nanos end)
      : webp_(first.width(), first.height()), end_(end) {
    webp_.add(first, start);
  }

  std::future<std::vector<std::uint8_t>> result() { return result_.get_future(); }
  // A new frame of the screen; frames after the end are left out.
  void add(const platform::CGImage& frame, platform::Nanos at) {
    if (at < end_) webp_.add(frame, at);
  }
  // Finishes once the end has come; answers whether it did.
  bool finishBy(platform::Nanos now) {
    if (now < end_) return false;
    result_.set_value(webp_.finish(end_));
    return true;
  }

 private:
  AnimatedWebp webp_;
  platform::Nanos end_;
  std::promise<std::vector<std::uint8_t>> result_;
};

}  // namespace sim::studio
