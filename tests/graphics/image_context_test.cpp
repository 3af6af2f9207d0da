#include <gtest/gtest.h>

#include <limits>

#include "platform/device/device.h"
#include "platform/graphics/context.h"
#include "platform/graphics/image.h"

namespace {

using namespace platform;

constexpr std::uint32_t kRed = 0xffff0000u;
constexpr std::uint32_t kBlue = 0xff0000ffu;

struct ImageContextTest : ::testing::Test {
  Device device;
  Process& proc = device.spawn("App", "com.example.app");

  CGImageRef drawn(CGSize size, double scale, const std::function<void(CGContextRef)>& draw) {
    UIGraphicsBeginImageContextWithOptions(proc, size, false, scale);
    draw(UIGraphicsGetCurrentContext(proc));
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext(proc);
    UIGraphicsEndImageContext(proc);
    return image ? image->CGImage() : nullptr;
  }
};

TEST_F(ImageContextTest, DestinationInOverAFillLeavesAColouredSilhouetteWithTheIconsAlpha) {
  // The shape: opaque on the left, half transparent top right, empty bottom right.
  std::vector<std::uint32_t> shape = {0xff000000u, 0x80000000u, 0xff000000u, 0x00000000u};
  UIImagePtr icon = UIImage::imageWithCGImage(CGImage::make(2, 2, shape));
  CGImageRef out = drawn({2, 2}, 1, [&](CGContextRef ctx) {
    CGContextSetFillColorWithColor(ctx, UIColor::colorWithRed(0, 0.5, 1, 1).CGColor());
    CGContextFillRect(ctx, CGRectMake(0, 0, 2, 2));
    icon->drawInRect(proc, CGRectMake(0, 0, 2, 2), kCGBlendModeDestinationIn, 1);
  });
  ASSERT_TRUE(out);
  EXPECT_EQ(out->rgba(0, 0), (RGBA8{0, 128, 255, 255}));
  EXPECT_EQ(out->rgba(0, 1), (RGBA8{0, 128, 255, 255}));
  EXPECT_EQ(out->rgba(1, 0).a, 128);
  EXPECT_NEAR(out->rgba(1, 0).g, 128, 1);
  EXPECT_NEAR(out->rgba(1, 0).b, 255, 1);
  EXPECT_EQ(out->rgba(1, 1).a, 0);
}

TEST_F(ImageContextTest, DestinationInLeavesPixelsOutsideTheDrawnRectAlone) {
  UIImagePtr clear = UIImage::imageWithCGImage(CGImage::make(1, 1, {0u}));
  CGImageRef out = drawn({2, 1}, 1, [&](CGContextRef ctx) {
    CGContextSetFillColorWithColor(ctx, UIColor::redColor());
    CGContextFillRect(ctx, CGRectMake(0, 0, 2, 1));
    clear->drawInRect(proc, CGRectMake(0, 0, 1, 1), kCGBlendModeDestinationIn, 1);
  });
  EXPECT_EQ(out->pixel(0, 0), 0u);
  EXPECT_EQ(out->pixel(1, 0), kRed);
}

TEST_F(ImageContextTest, MirroredImagesDrawMirrored) {
  auto pixels = CGImage::make(2, 1, {kRed, kBlue});
  CGImageRef up = drawn({2, 1}, 1, [&](CGContextRef) {
    UIImage::imageWithCGImage(pixels, 1, UIImageOrientationUp)->drawInRect(proc, CGRectMake(0, 0, 2, 1));
  });
  CGImageRef mirrored = drawn({2, 1}, 1, [&](CGContextRef) {
    UIImage::imageWithCGImage(pixels, 1, UIImageOrientationUpMirrored)
        ->drawInRect(proc, CGRectMake(0, 0, 2, 1));
  });
  EXPECT_EQ(up->pixel(0, 0), kRed);
  EXPECT_EQ(up->pixel(1, 0), kBlue);
  EXPECT_EQ(mirrored->pixel(0, 0), kBlue);
  EXPECT_EQ(mirrored->pixel(1, 0), kRed);
}

TEST_F(ImageContextTest, CGContextDrawImageIsUpsideDownUntilTheCallerFlips) {
  CGImageRef topRedBottomBlue = CGImage::make(1, 2, {kRed, kBlue});
  CGImageRef plain = drawn({1, 2}, 1, [&](CGContextRef ctx) {
    CGContextDrawImage(ctx, CGRectMake(0, 0, 1, 2), topRedBottomBlue);
  });
  EXPECT_EQ(plain->pixel(0, 0), kBlue);
  EXPECT_EQ(plain->pixel(0, 1), kRed);
  CGImageRef flipped = drawn({1, 2}, 1, [&](CGContextRef ctx) {
    CGContextTranslateCTM(ctx, 0, 2);
    CGContextScaleCTM(ctx, 1, -1);
    CGContextDrawImage(ctx, CGRectMake(0, 0, 1, 2), topRedBottomBlue);
  });
  EXPECT_EQ(flipped->pixel(0, 0), kRed);
  EXPECT_EQ(flipped->pixel(0, 1), kBlue);
}

TEST_F(ImageContextTest, ContextsAreInPointsScaledAndStacked) {
  EXPECT_EQ(UIGraphicsGetCurrentContext(proc), nullptr);
  UIGraphicsBeginImageContextWithOptions(proc, {10.5, 3}, false, 2);
  CGContextRef outer = UIGraphicsGetCurrentContext(proc);
  UIGraphicsBeginImageContextWithOptions(proc, {1, 1}, true, 0);  // 0: the screen's scale
  UIImagePtr inner = UIGraphicsGetImageFromCurrentImageContext(proc);
  ASSERT_TRUE(inner);
  EXPECT_EQ(inner->scale(), device.screenScale());
  EXPECT_EQ(inner->CGImage()->width(), 3);
  EXPECT_EQ(inner->CGImage()->pixel(1, 1), 0xff000000u);  // opaque contexts start black
  UIGraphicsEndImageContext(proc);
  EXPECT_EQ(UIGraphicsGetCurrentContext(proc), outer);
  CGContextSetFillColorWithColor(outer, UIColor::redColor());
  CGContextFillRect(outer, CGRectMake(10, 0, 1, 1));  // points 10 to 11 cover pixel 20, the last one
  UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext(proc);
  UIGraphicsEndImageContext(proc);
  EXPECT_EQ(image->size(), CGSizeMake(10.5, 3));
  EXPECT_EQ(image->CGImage()->pixel(20, 1), kRed);
  EXPECT_EQ(image->CGImage()->pixel(19, 1), 0u);
  UIGraphicsEndImageContext(proc);  // unbalanced: nothing happens
  EXPECT_EQ(UIGraphicsGetImageFromCurrentImageContext(proc), nullptr);
}

TEST_F(ImageContextTest, AbsurdSizesAndScalesGiveEmptyOrCappedContexts) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    CGSize size;
    double scale;
    int width, height;
  };
  const Case cases[] = {
      {{nan, 10}, 1, 0, 10},     {{-5, 10}, 1, 0, 10},
      {{inf, 1}, 1, 0, 1},       {{1e300, 1}, 1, kMaxImageSide, 1},
      {{1e6, 1e6}, 1, 0, 0},  // too many pixels: empty
      {{4, 4}, nan, 12, 12},     {{4, 4}, -1, 12, 12},
      {{4, 4}, 1e300, 400, 400},
  };
  for (const auto& c : cases) {
    UIGraphicsBeginImageContextWithOptions(proc, c.size, false, c.scale);
    CGContextRef ctx = UIGraphicsGetCurrentContext(proc);
    ASSERT_NE(ctx, nullptr);
    // Drawing with hostile values must not disturb anything.
    CGContextScaleCTM(ctx, 0, nan);
    CGContextFillRect(ctx, CGRectMake(nan, 0, inf, 1e300));
    CGContextDrawImage(ctx, CGRectMake(0, 0, -inf, 2), CGImage::make(1, 1, {kRed}));
    UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext(proc);
    UIGraphicsEndImageContext(proc);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->CGImage()->width(), c.width)
        << c.size.width << " x " << c.size.height << " @" << c.scale;
    EXPECT_EQ(image->CGImage()->height(), c.height)
        << c.size.width << " x " << c.size.height << " @" << c.scale;
  }
}

TEST_F(ImageContextTest, NullContextsAreIgnored) {
  CGContextFillRect(nullptr, CGRectMake(0, 0, 1, 1));
  CGContextSaveGState(nullptr);
  CGContextRestoreGState(nullptr);
  CGContextDrawImage(nullptr, CGRectMake(0, 0, 1, 1), nullptr);
  UIImage::imageWithCGImage(CGImage::make(1, 1, {kRed}))->drawInRect(proc, CGRectMake(0, 0, 1, 1));
  EXPECT_EQ(CGContextGetScale(nullptr), 1);
}

TEST(Image, SizeIsInPointsAndTurnsWithTheOrientation) {
  CGImageRef pixels = CGImage::make(6, 3, std::vector<std::uint32_t>(18, kRed));
  EXPECT_EQ(UIImage::imageWithCGImage(pixels, 3)->size(), CGSizeMake(2, 1));
  EXPECT_EQ(UIImage::imageWithCGImage(pixels, 3, UIImageOrientationLeft)->size(), CGSizeMake(1, 2));
  EXPECT_EQ(UIImage::imageWithCGImage(pixels, -2)->scale(), 1);
  EXPECT_EQ(UIImage::imageWithCGImage(pixels, 1, static_cast<UIImageOrientation>(99))->imageOrientation(),
            UIImageOrientationUp);
  EXPECT_EQ(UIImage::imageWithCGImage(nullptr), nullptr);
  EXPECT_EQ(CGImage::make(2, 2, {kRed}), nullptr);
  EXPECT_EQ(CGImage::make(-1, 0, {}), nullptr);
}

}  // namespace
