#pragma once
// Scratch surfaces for the renderer's groups, shadow masks and blur backdrops. Their sizes change from frame
// to frame as views animate, so the pool keeps raw buffers and lays each surface over the smallest free
// buffer large enough; a frame therefore allocates nothing once the pool has warmed up. Private to platform/.
#include <cairo.h>

#include <cstddef>
#include <vector>

#include "platform/graphics/cairo_bridge.h"

namespace platform {

class SurfacePool {
 public:
  // A transparent surface lent until the lease ends. Contexts drawing into it must end first.
  class Lease {
   public:
    Lease() = default;
    Lease(Lease&& other) noexcept;
    Lease& operator=(Lease&& other) noexcept;
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    ~Lease();
    cairo_surface_t* get() const { return surface_.get(); }

   private:
    friend class SurfacePool;
    void release();
    SurfacePool* pool_ = nullptr;
    std::vector<unsigned char> buffer_;
    cairo::SurfacePtr surface_;
  };

  SurfacePool() = default;
  SurfacePool(const SurfacePool&) = delete;
  SurfacePool& operator=(const SurfacePool&) = delete;

  // Sizes outside the accepted range give a 0 x 0 surface.
  Lease acquire(cairo_format_t format, int width, int height);
  std::size_t bytesKept() const;

 private:
  void giveBack(std::vector<unsigned char> buffer);
  static constexpr std::size_t kMostBuffers = 8;
  static constexpr std::size_t kMostBytes = std::size_t{96} << 20;
  std::vector<std::vector<unsigned char>> free_;
};

}  // namespace platform
