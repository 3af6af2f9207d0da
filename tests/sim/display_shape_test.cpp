// Frames inside the display's outline, and landscape frames turned the way the phone is held.
#include <gtest/gtest.h>

#include "sim/scenario/device_models.h"
#include "sim/phone/display_shape.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;

platform::CGImageRef plain(int w, int h, std::uint32_t pixel) {
  return platform::CGImage::make(w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, pixel));
}

TEST(DisplayShape, CornersAndTheHousingAreBlackAndTheRestUntouched) {
  struct Case {
    const char* model;
    bool housing;
  } cases[] = {{"iPhone10,3", true}, {"iPhone11,8", true}, {"iPhone9,3", false}, {"iPhone8,4", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.model);
    const sim::DeviceModel& model = *sim::deviceModelNamed(c.model);
    const int w = static_cast<int>(model.width), h = static_cast<int>(model.height);
    auto framed = sim::maskToDisplay(plain(w, h, kWhite), model, 1);
    ASSERT_TRUE(framed);
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) EXPECT_EQ(framed->pixel(x, y), kBlack);
    EXPECT_EQ(framed->pixel(w / 2, h / 2), kWhite);
    EXPECT_EQ(framed->pixel(w / 2, 2), c.housing ? kBlack : kWhite);  // under the housing, or the top edge
    EXPECT_EQ(framed->pixel(12, 40), kWhite);                         // beside the housing, below the corner
    // The edge of a corner is blended, not cut.
    bool blended = false;
    for (int x = 0; x < 40 && !blended; ++x) {
      std::uint32_t p = framed->pixel(x, 1);
      blended = p != kBlack && p != kWhite;
    }
    EXPECT_TRUE(blended);
  }
  // A frame of another size is left as it was.
  const sim::DeviceModel& x = *sim::deviceModelNamed("iPhone10,3");
  auto other = plain(10, 10, kWhite);
  EXPECT_EQ(sim::maskToDisplay(other, x, 1), other);
}

TEST(DisplayShape, UprightTurnsLandscapeAsThePhoneIsHeld) {
  // One row, left pixel A, right pixel B: the portrait frame's top edge is the phone's top edge.
  constexpr std::uint32_t A = 0xFF0000FFu, B = 0xFFFF0000u;
  auto frame = platform::CGImage::make(2, 1, {A, B});
  struct Case {
    int orientation;
    int width, height;
    std::vector<std::uint32_t> pixels;
  } cases[] = {
      {1, 2, 1, {A, B}},  // portrait: as it is
      {2, 2, 1, {B, A}},  // upside down: half a turn
      {3, 1, 2, {B, A}},  // landscape-right: the phone's top on the left, its right edge on top
      {4, 1, 2, {A, B}},  // landscape-left: the phone's top on the right, its left edge on top
  };
  for (const auto& c : cases) {
    auto turned = sim::turnUpright(frame, c.orientation);
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->width(), c.width) << c.orientation;
    EXPECT_EQ(turned->height(), c.height) << c.orientation;
    EXPECT_EQ(turned->pixels(), c.pixels) << c.orientation;
  }
}

}  // namespace
