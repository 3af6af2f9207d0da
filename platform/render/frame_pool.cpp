#include "platform/render/frame_pool.h"

namespace platform {

FramePool::FramePool() : shared_(std::make_shared<Shared>()) {}

FramePool::Frame FramePool::acquire(int width, int height) {
  std::lock_guard lock(shared_->mutex);
  auto& slots = shared_->slots;
  std::size_t best = slots.size();
  for (std::size_t i = 0; i < slots.size(); ++i) {
    const Slot& s = slots[i];
    if (s.lent || s.taken || !s.image) continue;
    if (s.image->width() != width || s.image->height() != height) continue;
    if (best == slots.size() || s.holds > slots[best].holds) best = i;
  }
  if (best == slots.size()) {
    // All out, or only other sizes free: those will not fit again soon, so they go.
    for (auto& s : slots)
      if (!s.lent && !s.taken) s.image.reset();
    std::size_t slot = 0;
    while (slot < slots.size() && (slots[slot].image || slots[slot].lent || slots[slot].taken)) ++slot;
    if (slot == slots.size()) slots.emplace_back();
    slots[slot].image = CGImage::makeWritable(width, height);
    slots[slot].holds = 0;
    best = slot;
    if (!slots[slot].image) return {};
  }
  slots[best].taken = true;
  return {slots[best].image.get(), slots[best].holds, best};
}

CGImageRef FramePool::lend(const Frame& frame, std::uint64_t serial) {
  if (!frame.image) return nullptr;
  {
    std::lock_guard lock(shared_->mutex);
    Slot& s = shared_->slots[frame.slot];
    s.taken = false;
    s.lent = true;
    s.holds = serial;
  }
  std::shared_ptr<Shared> shared = shared_;
  std::size_t slot = frame.slot;
  return CGImageRef(frame.image, [shared, slot](const CGImage*) {
    std::lock_guard lock(shared->mutex);
    Slot& s = shared->slots[slot];
    s.lent = false;
    std::size_t free = 0;
    for (const auto& other : shared->slots) free += (!other.lent && !other.taken && other.image) ? 1 : 0;
    if (free > kMostFree) s.image.reset();
  });
}

std::size_t FramePool::size() const {
  std::lock_guard lock(shared_->mutex);
  std::size_t count = 0;
  for (const auto& s : shared_->slots) count += s.image ? 1 : 0;
  return count;
}

}  // namespace platform
