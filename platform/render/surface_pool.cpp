#include "platform/render/surface_pool.h"

#include <algorithm>
#include <cstring>

namespace platform {

SurfacePool::Lease::Lease(Lease&& other) noexcept
    : pool_(other.pool_), buffer_(std::move(other.buffer_)), surface_(std::move(other.surface_)) {
  other.pool_ = nullptr;
}

SurfacePool::Lease& SurfacePool::Lease::operator=(Lease&& other) noexcept {
  if (this != &other) {
    release();
    pool_ = other.pool_;
    buffer_ = std::move(other.buffer_);
    surface_ = std::move(other.surface_);
    other.pool_ = nullptr;
  }
  return *this;
}

SurfacePool::Lease::~Lease() { release(); }

void SurfacePool::Lease::release() {
  if (surface_) {
    // Finished, a surface that someone still referenced could no longer reach the buffer.
    cairo_surface_finish(surface_.get());
    surface_.reset();
  }
  if (pool_ && buffer_.capacity() > 0) pool_->giveBack(std::move(buffer_));
  pool_ = nullptr;
}

SurfacePool::Lease SurfacePool::acquire(cairo_format_t format, int width, int height) {
  Lease lease;
  if (!isAcceptableImageSize(width, height) || width == 0 || height == 0) {
    lease.surface_ = cairo::makeSurface(0, 0);
    return lease;
  }
  int stride = cairo_format_stride_for_width(format, width);
  std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  auto best = free_.end();
  for (auto it = free_.begin(); it != free_.end(); ++it)
    if (it->size() >= bytes && (best == free_.end() || it->size() < best->size())) best = it;
  if (best != free_.end()) {
    lease.buffer_ = std::move(*best);
    free_.erase(best);
    std::memset(lease.buffer_.data(), 0, bytes);
  } else {
    lease.buffer_.assign(bytes, 0);
  }
  lease.pool_ = this;
  lease.surface_.reset(cairo_image_surface_create_for_data(lease.buffer_.data(), format, width, height, stride));
  return lease;
}

void SurfacePool::giveBack(std::vector<unsigned char> buffer) {
  free_.push_back(std::move(buffer));
  // The largest go first: they are the rarest to need again and the most to keep.
  std::sort(free_.begin(), free_.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); });
  while (!free_.empty() && (free_.size() > kMostBuffers || bytesKept() > kMostBytes)) free_.pop_back();
}

std::size_t SurfacePool::bytesKept() const {
  std::size_t total = 0;
  for (const auto& b : free_) total += b.size();
  return total;
}

}  // namespace platform
