// A shade laid over a frame piece by piece, as the renderer lays it over the boxes it redraws, must give the
// pixels of one pass over the whole frame, however its pixels were added.
#include "platform/render/screen_shade.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/render/damage_region.h"

namespace {

using platform::PixelBox;
using platform::ScreenShade;

constexpr int kW = 6, kH = 4;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

// Row 0 black, row 1 half, a lone pixel in row 3; added in the order given.
ScreenShade shadeOf(const std::vector<std::pair<int, int>>& order) {
  ScreenShade shade(kW, kH);
  for (auto [x, y] : order) shade.add(x, y, y == 0 ? 0.0 : y == 1 ? 0.5 : 0.25);
  return shade;
}

std::vector<std::uint32_t> shaded(const ScreenShade& shade, const std::vector<PixelBox>& boxes) {
  std::vector<std::uint32_t> pixels(kW * kH, kWhite);
  for (const auto& box : boxes) shade.applyTo(pixels.data(), kW, box);
  return pixels;
}

TEST(ScreenShade, PiecesAndAnyOrderGiveOnePassOverTheWhole) {
  std::vector<std::pair<int, int>> reading, reversed;
  for (int y : {0, 1})
    for (int x = 0; x < kW; ++x) reading.push_back({x, y});
  reading.push_back({4, 3});
  reversed.assign(reading.rbegin(), reading.rend());
  reading.push_back({kW, 0});  // outside: ignored
  const auto whole = shaded(shadeOf(reading), {PixelBox{0, 0, kW, kH}});
  EXPECT_EQ(whole[0], 0xFF000000u);           // no light passes
  EXPECT_EQ(whole[kW + 2], 0xFF808080u);      // half passes, rounded up
  EXPECT_EQ(whole[3 * kW + 4], 0xFF404040u);  // a quarter
  EXPECT_EQ(whole[2 * kW + 1], kWhite);       // not shaded
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> order;
    std::vector<PixelBox> boxes;
  } cases[] = {
      {"reading order, two boxes", reading, {{0, 0, 3, kH}, {3, 0, 3, kH}}},
      {"reversed, rows apart", reversed, {{0, 0, kW, 1}, {0, 1, kW, 3}}},
      {"a box past the edge", reading, {{-2, -2, kW + 4, kH + 4}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(shaded(shadeOf(c.order), c.boxes), whole);
  }
}

}  // namespace
