#pragma once
// "Record": the frames the screen shows over a stretch of time, gathered on the phone's thread and handed
// to whoever asked for them as an animated WebP.
#include <cstdint>
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/graphics/image.h"
#include "sim/output/animated_webp.h"

namespace sim::studio {

class ScreenRecording {
 public:
  // The file's bytes; empty when it could not be made.
  using Done = std::function<void(std::vector<std::uint8_t>)>;

  // Starts with the screen as it is at `start`.
  ScreenRecording(const platform::CGImage& first, platform::Nanos start, platform::Nanos end, Done done)
      : webp_(first.width(), first.height()), end_(end), done_(std::move(done)) {
    webp_.add(first, start);
  }
  // A recording dropped unfinished (the session stopped) answers nothing, but answers.
  ~ScreenRecording() {
    if (done_) done_({});
  }
  ScreenRecording(const ScreenRecording&) = delete;
  ScreenRecording& operator=(const ScreenRecording&) = delete;

  // A new frame of the screen; frames after the end are left out.
  void add(const platform::CGImage& frame, platform::Nanos at) {
    if (at < end_) webp_.add(frame, at);
  }
  // Finishes once the end has come, or at `now` when `early`; answers whether it did.
  bool finishBy(platform::Nanos now, bool early) {
    if (!done_ || (now < end_ && !early)) return false;
    auto done = std::move(done_);
    done_ = nullptr;
    done(webp_.finish(std::min(now, end_)));
    return true;
  }

 private:
  AnimatedWebp webp_;
  platform::Nanos end_;
  Done done_;
};

}  // namespace sim::studio
