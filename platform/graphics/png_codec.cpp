#include "platform/graphics/png_codec.h"

#include <png.h>
#include <zlib.h>

#include <cstring>

#include "platform/foundation/file_write.h"

namespace platform {

namespace {

// libpng's simplified interface keeps its error handling (setjmp/longjmp) inside libpng, away from C++
// frames.
struct PngImage {
  png_image image;
  PngImage() {
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
  }
  ~PngImage() { png_image_free(&image); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;
};

std::uint32_t bigEndian(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// libpng stops reading at the last image data, so the rest of the file is checked here: every chunk whole,
// every checksum right, and an IEND at the end. Bytes after IEND are ignored, as image readers do.
bool isWholePng(const std::uint8_t* bytes, std::size_t size) {
  if (size < kPngSignature.size() || std::memcmp(bytes, kPngSignature.data(), kPngSignature.size()) != 0)
    return false;
  std::size_t at = 8;
  while (size - at >= 12) {
    std::uint32_t length = bigEndian(bytes + at);
    if (length > size - at - 12) return false;
    const std::uint8_t* type = bytes + at + 4;
    if (crc32(0L, type, static_cast<uInt>(length) + 4) != bigEndian(type + 4 + length)) return false;
    if (std::memcmp(type, "IEND", 4) == 0) return length == 0;
    at += 12 + std::size_t{length};
  }
  return false;
}

}  // namespace

CGImageRef decodePng(const std::uint8_t* bytes, std::size_t size) {
  if (!bytes || !isWholePng(bytes, size)) return nullptr;
  PngImage png;
  if (!png_image_begin_read_from_memory(&png.image, bytes, size)) return nullptr;
  if (!isAcceptableImageSize(png.image.width, png.image.height)) return nullptr;
  png.image.format = PNG_FORMAT_RGBA;
  std::size_t pixelCount = static_cast<std::size_t>(png.image.width) * png.image.height;
  std::vector<std::uint8_t> rgba(pixelCount * 4);
  if (!png_image_finish_read(&png.image, nullptr, rgba.data(), 0, nullptr)) return nullptr;
  std::vector<std::uint32_t> pixels(pixelCount);
  for (std::size_t i = 0; i < pixelCount; ++i) {
    const std::uint8_t* p = &rgba[i * 4];
    pixels[i] = premultipliedPixel({p[0], p[1], p[2], p[3]});
  }
  return CGImage::make(static_cast<int>(png.image.width), static_cast<int>(png.image.height),
                       std::move(pixels));
}

std::vector<std::uint8_t> encodePng(const CGImage& image) {
  if (image.width() <= 0 || image.height() <= 0) return {};
  std::vector<std::uint8_t> rgba(image.pixels().size() * 4);
  straightBytes(image.pixels().data(), image.pixels().size(), true, rgba.data());
  PngImage png;
  png.image.width = static_cast<png_uint_32>(image.width());
  png.image.height = static_cast<png_uint_32>(image.height());
  png.image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png.image, nullptr, &size, 0, rgba.data(), 0, nullptr)) return {};
  std::vector<std::uint8_t> out(size);
  if (!png_image_write_to_memory(&png.image, out.data(), &size, 0, rgba.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

bool writePng(const CGImage& image, const std::filesystem::path& path) {
  std::vector<std::uint8_t> bytes = encodePng(image);
  return !bytes.empty() && writeFileBytes(path, bytes);
}

}  // namespace platform
