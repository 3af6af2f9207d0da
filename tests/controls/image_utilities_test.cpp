#include <gtest/gtest.h>

#include "controls/builtin_icons.h"
#include "controls/image_utilities.h"
#include "platform/device/device.h"
#include "platform/foundation/base64.h"
#include "platform/graphics/context.h"
#include "platform/runtime/message.h"
#include "platform/uikit/image_object.h"
#include "platform/uikit/uikit_classes.h"
#include "platform/uikit/view.h"

namespace {

using platform::CGSize;
using platform::UIImagePtr;

struct ImageUtilitiesTest : ::testing::Test {
  platform::Device device{[] {
    platform::DeviceOptions o;
    o.scale = 1;  // one pixel per point keeps pixel checks readable
    return o;
  }()};
  platform::Process& proc = device.spawn("SpringBoard", "com.apple.springboard");

  // An opaque black image of w x h points at scale 1.
  UIImagePtr solid(int w, int h) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w * h), 0xff000000u);
    return platform::UIImage::imageWithCGImage(platform::CGImage::make(w, h, std::move(pixels)));
  }
  static int alphaAt(const UIImagePtr& image, int x, int y) { return image->CGImage()->rgba(x, y).a; }
};

TEST_F(ImageUtilitiesTest, AspectFitCentresAndKeepsMarginsTransparent) {
  struct Case {
    int w, h;
    int insideX, insideY;    // a pixel the drawn image covers
    int outsideX, outsideY;  // a pixel in the transparent margin, -1 when there is none
  } cases[] = {
      {72, 72, 0, 0, -1, -1},   // fills the canvas
      {100, 50, 7, 7, 7, 2},    // drawn at (0, 3.5), 14 x 7
      {50, 100, 7, 7, 2, 7},    // drawn at (3.5, 0), 7 x 14
  };
  for (const auto& c : cases) {
    UIImagePtr fitted = tarvo::scaleImageToSize(proc, solid(c.w, c.h), CGSize{14, 14}, 1.0);
    ASSERT_TRUE(fitted);
    EXPECT_EQ(fitted->size(), (CGSize{14, 14}));
    EXPECT_EQ(alphaAt(fitted, c.insideX, c.insideY), 255) << c.w << "x" << c.h;
    if (c.outsideX >= 0) {
      EXPECT_EQ(alphaAt(fitted, c.outsideX, c.outsideY), 0) << c.w << "x" << c.h;
    }
  }
  UIImagePtr square = tarvo::scaleImageToSize(proc, solid(72, 72), CGSize{14, 14}, 1.0);
  EXPECT_EQ(alphaAt(square, 13, 13), 255);
}

TEST_F(ImageUtilitiesTest, AlphaScalesTheDrawnPixels) {
  UIImagePtr half = tarvo::scaleImageToSize(proc, solid(14, 14), CGSize{14, 14}, 0.5);
  EXPECT_NEAR(alphaAt(half, 7, 7), 128, 1);
}

TEST_F(ImageUtilitiesTest, ImagesWithoutPixelsGiveATransparentCanvas) {
  for (const UIImagePtr& image : {UIImagePtr{}, platform::UIImage::emptyImage()}) {
    UIImagePtr fitted = tarvo::scaleImageToSize(proc, image, CGSize{14, 14}, 1.0);
    ASSERT_TRUE(fitted);
    EXPECT_EQ(fitted->size(), (CGSize{14, 14}));
    EXPECT_EQ(alphaAt(fitted, 7, 7), 0);
  }
}

TEST_F(ImageUtilitiesTest, ResizeStretches) {
  UIImagePtr resized = tarvo::imageResize(proc, solid(100, 50), CGSize{14, 14});
  EXPECT_EQ(alphaAt(resized, 7, 0), 255);
  EXPECT_EQ(alphaAt(resized, 7, 13), 255);
}

TEST_F(ImageUtilitiesTest, DecodeRejectsWhatIsNotAnImageURL) {
  const char* bad[] = {"iVBORw0KGgo=", "", "file:///etc/passwd", "data:image/png;base64,@@@@",
                       "data:image/png;base64,aGVsbG8="};
  for (const char* s : bad) EXPECT_EQ(tarvo::decodeBase64ToImage(s), nullptr) << s;
}

// The four helpers answer as categories on UIImage in the runtime: two instance and two class methods.
TEST_F(ImageUtilitiesTest, TheCategoriesOnUIImageAnswerThroughTheRuntime) {
  tarvo::registerImageCategories(proc);
  rt::Class& image = *platform::uikitClass(proc, "UIImage");
  rt::Id uiImage = rt::classObject(image);
  rt::Id wide = platform::imageObject(proc, solid(100, 50));

  UIImagePtr fitted = rt::send<UIImagePtr(CGSize, double)>(wide, "scaleImageToSize:alpha:", CGSize{14, 14}, 1.0);
  ASSERT_TRUE(fitted);
  EXPECT_EQ(fitted->size(), (CGSize{14, 14}));
  EXPECT_EQ(alphaAt(fitted, 7, 1), 0);  // the letterbox margin

  UIImagePtr resized = rt::send<UIImagePtr(UIImagePtr, CGSize)>(uiImage, "imageResize:andResizeTo:",
                                                                 solid(100, 50), CGSize{14, 14});
  ASSERT_TRUE(resized);
  EXPECT_EQ(alphaAt(resized, 7, 1), 255);

  UIImagePtr icon = rt::send<UIImagePtr(std::string)>(wide, "decodeBase64ToImage:", std::string(tarvo::mediaMaxBase64));
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->size(), (CGSize{72, 72}));

  // A snapshot of a layer: its frame's size, its content drawn, opaque only when the layer says so.
  auto view = platform::makeView<platform::UIView>(proc, "UIView", platform::CGRect{{30, 40}, {20, 10}});
  view->setBackgroundColor(platform::UIColor::colorWithRed(1, 0, 0, 0.5));
  for (bool opaque : {false, true}) {
    view->layer().setOpaque(opaque);
    UIImagePtr snapshot =
        rt::send<UIImagePtr(const platform::CALayer*)>(uiImage, "imageFromLayer:", &view->layer());
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->size(), (CGSize{20, 10}));
    auto pixel = snapshot->CGImage()->rgba(10, 5);
    EXPECT_NEAR(pixel.a, opaque ? 255 : 128, 1) << opaque;
    EXPECT_GT(pixel.r, 100) << opaque;
    EXPECT_EQ(pixel.g, 0) << opaque;
  }
  // No layer: nothing to draw, and no crash.
  (void)rt::send<UIImagePtr(const platform::CALayer*)>(uiImage, "imageFromLayer:", nullptr);
}

// The PNG chunk types in file order.
std::vector<std::string> chunkTypes(const std::vector<std::uint8_t>& png) {
  std::vector<std::string> types;
  for (std::size_t at = 8; at + 8 <= png.size();) {
    std::size_t length = (std::size_t{png[at]} << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
    types.emplace_back(reinterpret_cast<const char*>(&png[at + 4]), 4);
    at += 12 + length;
  }
  return types;
}

TEST(BuiltinIcons, EachIsA72PixelRGBAPngWithOnlyTheCriticalChunks) {
  const char* icons[] = {tarvo::ringerMinBase64, tarvo::ringerMedBase64, tarvo::ringerMaxBase64,
                         tarvo::mediaMinBase64,  tarvo::mediaMedBase64,  tarvo::mediaMaxBase64};
  const std::string prefix = "data:image/png;base64,";
  for (const char* icon : icons) {
    std::string url = icon;
    ASSERT_EQ(url.rfind(prefix, 0), 0u);
    auto png = platform::base64Decode(url.substr(prefix.size()));
    ASSERT_TRUE(png);
    EXPECT_EQ(chunkTypes(*png), (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ((*png)[24], 8);  // bit depth
    EXPECT_EQ((*png)[25], 6);  // RGBA
    EXPECT_EQ((*png)[28], 0);  // not interlaced
    UIImagePtr image = tarvo::decodeBase64ToImage(icon);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), (CGSize{72, 72}));
    EXPECT_EQ(image->scale(), 1);
    // Black glyph on transparent: the corner is clear, something in the middle is drawn.
    EXPECT_EQ(image->CGImage()->rgba(0, 0).a, 0);
    int opaque = 0;
    for (int y = 0; y < 72; ++y)
      for (int x = 0; x < 72; ++x) opaque += image->CGImage()->rgba(x, y).a == 255;
    EXPECT_GT(opaque, 300);
  }
}

}  // namespace
