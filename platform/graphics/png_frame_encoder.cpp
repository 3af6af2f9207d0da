#include "platform/graphics/png_frame_encoder.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "platform/foundation/file_write.h"
#include "platform/graphics/png_codec.h"

namespace platform {

namespace {

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

void putChunk(std::vector<std::uint8_t>& out, const char* type, const std::uint8_t* data, std::size_t size) {
  putBigEndian(out, static_cast<std::uint32_t>(size));
  std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size > 0) out.insert(out.end(), data, data + size);
  uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  putBigEndian(out, static_cast<std::uint32_t>(crc));
}

// Rows as the PNG stores them: a filter byte ("sub": each byte minus the one a pixel to its left), then RGB
// or RGBA without premultiplication.
void filterRow(const std::uint32_t* pixels, int width, bool opaque, std::uint8_t* out) {
  int channels = opaque ? 3 : 4;
  *out++ = 1;
  std::uint8_t previous[4] = {0, 0, 0, 0};
  for (int x = 0; x < width; ++x) {
    std::uint32_t p = straightPixel(pixels[x]);
    const std::uint8_t c[4] = {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                               static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)};
    for (int k = 0; k < channels; ++k) {
      *out++ = static_cast<std::uint8_t>(c[k] - previous[k]);
      previous[k] = c[k];
    }
  }
}

}  // namespace

bool PngFrameEncoder::refreshBand(Band& band, const CGImage& image, int firstRow, int rows, bool opaque) {
  std::size_t start = static_cast<std::size_t>(firstRow) * static_cast<std::size_t>(width_);
  std::size_t count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(width_);
  const std::uint32_t* pixels = image.pixels().data() + start;
  if (!band.deflated.empty() && band.pixels.size() == count &&
      std::memcmp(band.pixels.data(), pixels, count * 4) == 0)
    return true;
  band.pixels.assign(pixels, pixels + count);

  std::size_t rowBytes = 1 + static_cast<std::size_t>(width_) * (opaque ? 3 : 4);
  rowScratch_.resize(rowBytes * static_cast<std::size_t>(rows));
  for (int r = 0; r < rows; ++r)
    filterRow(pixels + static_cast<std::size_t>(r) * width_, width_, opaque, rowScratch_.data() + r * rowBytes);
  band.filteredBytes = rowScratch_.size();
  band.adler = static_cast<std::uint32_t>(adler32(1L, rowScratch_.data(), static_cast<uInt>(rowScratch_.size())));

  z_stream z{};
  if (deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK) return false;
  band.deflated.resize(deflateBound(&z, static_cast<uLong>(rowScratch_.size())) + 16);
  z.next_in = rowScratch_.data();
  z.avail_in = static_cast<uInt>(rowScratch_.size());
  z.next_out = band.deflated.data();
  z.avail_out = static_cast<uInt>(band.deflated.size());
  // A full flush ends the band on a byte boundary with nothing referring back, so bands concatenate.
  int status = deflate(&z, Z_FULL_FLUSH);
  bool ok = status == Z_OK && z.avail_in == 0 && z.avail_out > 0;
  band.deflated.resize(ok ? band.deflated.size() - z.avail_out : 0);
  deflateEnd(&z);
  if (!ok) band.pixels.clear();
  return ok;
}

std::vector<std::uint8_t> PngFrameEncoder::encode(const CGImage& image) {
  if (image.width() <= 0 || image.height() <= 0) return {};
  bool opaque = std::all_of(image.pixels().begin(), image.pixels().end(),
                            [](std::uint32_t p) { return (p >> 24) == 0xff; });
  if (image.width() != width_ || image.height() != height_ || opaque != opaque_) {
    width_ = image.width();
    height_ = image.height();
    opaque_ = opaque;
    bands_.assign(static_cast<std::size_t>((height_ + kBandRows - 1) / kBandRows), Band{});
  }
  std::vector<std::uint8_t> idat = {0x78, 0x01};  // zlib header: deflate, 32 KB window, fastest
  uLong adler = 1;
  for (std::size_t b = 0; b < bands_.size(); ++b) {
    int first = static_cast<int>(b) * kBandRows;
    int rows = std::min(kBandRows, height_ - first);
    if (!refreshBand(bands_[b], image, first, rows, opaque)) {
      bands_.clear();
      width_ = height_ = 0;
      return {};
    }
    idat.insert(idat.end(), bands_[b].deflated.begin(), bands_[b].deflated.end());
    adler = adler32_combine(adler, bands_[b].adler, static_cast<z_off_t>(bands_[b].filteredBytes));
  }
  idat.push_back(0x03);  // the final block: fixed Huffman codes, nothing but its end
  idat.push_back(0x00);
  putBigEndian(idat, static_cast<std::uint32_t>(adler));

  std::vector<std::uint8_t> png(kPngSignature.begin(), kPngSignature.end());
  std::vector<std::uint8_t> header;
  putBigEndian(header, static_cast<std::uint32_t>(width_));
  putBigEndian(header, static_cast<std::uint32_t>(height_));
  header.insert(header.end(), {8, static_cast<std::uint8_t>(opaque ? 2 : 6), 0, 0, 0});
  putChunk(png, "IHDR", header.data(), header.size());
  putChunk(png, "IDAT", idat.data(), idat.size());
  putChunk(png, "IEND", nullptr, 0);
  return png;
}

bool PngFrameEncoder::write(const CGImage& image, const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes = encode(image);
  return !bytes.empty() && writeFileBytes(path, bytes);
}

}  // namespace platform
