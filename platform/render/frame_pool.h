#pragma once
// The screen-sized bitmaps the renderer draws into and hands out. A handed-out frame comes back to the pool
// when its last holder lets go (from any thread), so a run keeps a few screens' worth of pixels however
// many frames it makes, and the next frame starts from pixels that are mostly right already.
// Private to platform/.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/graphics/image.h"

namespace platform {

class FramePool {
 public:
  struct Frame {
    CGImage* image = nullptr;  // nullptr when the size is unacceptable
    std::uint64_t holds = 0;   // the serial of the frame whose pixels it still holds; 0: none
    std::size_t slot = 0;
  };

  FramePool();
  // A free bitmap of this size, the one holding the latest frame if there are several.
  Frame acquire(int width, int height);
  // Shares the drawn bitmap; it returns to the pool, remembered as holding `serial`, when released.
  CGImageRef lend(const Frame& frame, std::uint64_t serial);
  // Frames are out; how many bitmaps the pool keeps in all.
  std::size_t size() const;

 private:
  struct Slot {
    std::unique_ptr<CGImage> image;
    std::uint64_t holds = 0;
    bool lent = false;
    bool taken = false;  // acquired, not yet lent
  };
  struct Shared {
    mutable std::mutex mutex;
    std::vector<Slot> slots;
  };
  // Bitmaps kept free beyond this are dropped: the pool never grows past what is in flight plus a few.
  static constexpr std::size_t kMostFree = 3;
  std::shared_ptr<Shared> shared_;
};

}  // namespace platform
