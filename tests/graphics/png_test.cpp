#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "platform/graphics/image.h"
#include "platform/foundation/base64.h"
#include "platform/graphics/png_codec.h"
#include "platform/graphics/url.h"

namespace {

using namespace platform;

CGImageRef sampleImage() {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      pixels.push_back(
          premultipliedPixel({static_cast<std::uint8_t>(x * 36), static_cast<std::uint8_t>(y * 60), 200,
                              static_cast<std::uint8_t>(x == 3 ? 128 : (y == 2 ? 0 : 255))}));
  return CGImage::make(7, 5, std::move(pixels));
}

std::uint32_t chunkCrc(const std::uint8_t* data, std::size_t size) {
  return static_cast<std::uint32_t>(crc32(0L, data, static_cast<uInt>(size)));
}

void putBigEndian(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

TEST(Png, RoundTripKeepsEveryPixel) {
  CGImageRef image = sampleImage();
  std::vector<std::uint8_t> bytes = encodePng(*image);
  ASSERT_FALSE(bytes.empty());
  UIImagePtr decoded = UIImage::imageWithData(bytes);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->scale(), 1);
  EXPECT_EQ(decoded->size(), CGSizeMake(7, 5));
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) {
      RGBA8 want = image->rgba(x, y), got = decoded->CGImage()->rgba(x, y);
      EXPECT_EQ(got.a, want.a);
      EXPECT_NEAR(got.r, want.r, 1);
      EXPECT_NEAR(got.g, want.g, 1);
      EXPECT_NEAR(got.b, want.b, 1);
    }
}

TEST(Png, EveryTruncationGivesNil) {
  std::vector<std::uint8_t> bytes = encodePng(*sampleImage());
  for (std::size_t length = 0; length < bytes.size(); ++length)
    EXPECT_EQ(UIImage::imageWithData(bytes.data(), length), nullptr) << "length " << length;
}

TEST(Png, EveryCorruptedByteGivesNil) {
  std::vector<std::uint8_t> bytes = encodePng(*sampleImage());
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    std::vector<std::uint8_t> corrupted = bytes;
    corrupted[at] ^= 0x5a;
    EXPECT_EQ(UIImage::imageWithData(corrupted), nullptr) << "byte " << at;
  }
}

TEST(Png, GarbageAndAbsurdDimensionsGiveNil) {
  EXPECT_EQ(UIImage::imageWithData(std::vector<std::uint8_t>{}), nullptr);
  EXPECT_EQ(UIImage::imageWithData(nullptr, 100), nullptr);
  std::vector<std::uint8_t> garbage(300);
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 7919 % 251);
  EXPECT_EQ(UIImage::imageWithData(garbage), nullptr);

  // A well-formed header (correct checksum) claiming 100000 x 100000 pixels.
  std::vector<std::uint8_t> huge = encodePng(*sampleImage());
  putBigEndian(huge, 16, 100000);
  putBigEndian(huge, 20, 100000);
  putBigEndian(huge, 29, chunkCrc(&huge[12], 17));
  EXPECT_EQ(UIImage::imageWithData(huge), nullptr);
}

TEST(Png, ImagesComeFromDataUrlsAndNilDataGivesNil) {
  std::string url = "data:image/png;base64," + base64Encode(encodePng(*sampleImage()));
  UIImagePtr image = UIImage::imageWithData(NSData::dataWithContentsOfURL(NSURL::URLWithString(url)));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), CGSizeMake(7, 5));
  EXPECT_EQ(UIImage::imageWithData(NSData::dataWithContentsOfURL(NSURL::URLWithString("data:,notapng"))), nullptr);
  EXPECT_EQ(UIImage::imageWithData(NSDataPtr()), nullptr);
}

TEST(Png, WritesAFileThatReadsBack) {
  auto path = std::filesystem::temp_directory_path() / "tarvo12-png-test.png";
  ASSERT_TRUE(writePng(*sampleImage(), path));
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  ASSERT_TRUE(UIImage::imageWithData(bytes));
  EXPECT_FALSE(writePng(*CGImage::make(0, 0, {}), path));
}

}  // namespace
