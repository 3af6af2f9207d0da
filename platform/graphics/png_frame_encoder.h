#pragma once
// PNG files for a stream of frames of one size, made fast. A frame is cut into bands of rows, each compressed
// on its own (zlib, run-length matching after the "sub" filter, which suits flat screens); a band whose pixels
// are the same as in the previous frame reuses its compressed bytes, so a frame in which only a small area
// changed costs little more than comparing it. Every file is a whole, ordinary PNG.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/graphics/image.h"

namespace platform {

class PngFrameEncoder {
 public:
  PngFrameEncoder() = default;
  PngFrameEncoder(const PngFrameEncoder&) = delete;
  PngFrameEncoder& operator=(const PngFrameEncoder&) = delete;

  // Empty when the image is empty or compression fails.
  std::vector<std::uint8_t> encode(const CGImage& image);
  // Answers whether the file was written whole.
  bool write(const CGImage& image, const std::filesystem::path& path);

 private:
  struct Band {
    std::vector<std::uint32_t> pixels;  // what the band was made from
    std::vector<std::uint8_t> deflated;  // raw deflate blocks, byte-aligned, not final
    std::uint32_t adler = 1;             // of the band's filtered rows
    std::size_t filteredBytes = 0;
  };
  bool refreshBand(Band& band, const CGImage& image, int firstRow, int rows, bool opaque);

  static constexpr int kBandRows = 16;
  int width_ = 0, height_ = 0;
  bool opaque_ = false;
  std::vector<Band> bands_;
  std::vector<std::uint8_t> rowScratch_;
};

}  // namespace platform
