// A stream of frames through the banded encoder decodes to the frames themselves, whether a band changed,
// stayed, or the frames changed size or gained transparency on the way.
#include <gtest/gtest.h>

#include "platform/graphics/png_codec.h"
#include "platform/graphics/png_frame_encoder.h"

namespace {

using namespace platform;

// A flat screen with a rectangle of another colour; `alpha` below 255 makes part of it translucent.
CGImageRef frame(int width, int height, int boxY, std::uint8_t alpha = 255) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, premultipliedPixel({20, 30, 40, 255}));
  for (int y = boxY; y < std::min(height, boxY + 9); ++y)
    for (int x = 3; x < std::min(width, 40); ++x)
      pixels[static_cast<std::size_t>(y) * width + x] = premultipliedPixel({static_cast<std::uint8_t>(x * 5), 200,
                                                                            static_cast<std::uint8_t>(y), alpha});
  return CGImage::make(width, height, std::move(pixels));
}

TEST(PngFrameEncoder, EveryFrameOfAStreamDecodesToItself) {
  struct Step {
    const char* what;
    CGImageRef image;
  };
  const Step steps[] = {
      {"first frame", frame(57, 70, 5)},
      {"the same again", frame(57, 70, 5)},
      {"a box moved across bands", frame(57, 70, 30)},
      {"in the last, short band", frame(57, 70, 64)},
      {"translucent", frame(57, 70, 64, 90)},
      {"opaque again", frame(57, 70, 12)},
      {"another size", frame(20, 3, 0)},
      {"one pixel", frame(1, 1, 0)},
  };
  PngFrameEncoder encoder;
  for (const auto& step : steps) {
    std::vector<std::uint8_t> bytes = encoder.encode(*step.image);
    CGImageRef decoded = decodePng(bytes.data(), bytes.size());
    ASSERT_TRUE(decoded) << step.what;
    // What the plain encoder gives is the reference: translucent pixels lose what unpremultiplying loses.
    std::vector<std::uint8_t> plain = encodePng(*step.image);
    CGImageRef expected = decodePng(plain.data(), plain.size());
    ASSERT_TRUE(expected);
    EXPECT_EQ(decoded->width(), step.image->width()) << step.what;
    EXPECT_TRUE(decoded->pixels() == expected->pixels()) << step.what;
  }
}

TEST(PngFrameEncoder, EmptyImageGivesNothing) {
  PngFrameEncoder encoder;
  EXPECT_TRUE(encoder.encode(*CGImage::make(0, 0, {})).empty());
}

}  // namespace
