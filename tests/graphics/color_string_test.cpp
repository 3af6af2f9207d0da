#include <gtest/gtest.h>

#include "platform/graphics/color_string.h"

namespace {

using platform::UIColor;

TEST(ColorString, ReadsTheSettingsForms) {
  struct Case {
    const char* text;
    std::optional<UIColor> expected;
  } cases[] = {
      {"#7942D8:1.000000", UIColor::colorWithRed(0x79 / 255.0, 0x42 / 255.0, 0xD8 / 255.0, 1)},
      {"#FF0000:0.500000", UIColor::colorWithRed(1, 0, 0, 0.5)},
      {"#ff0000:.5", UIColor::colorWithRed(1, 0, 0, 0.5)},
      {"#000000", UIColor::blackColor()},
      {"  #FFFFFF:1 ", UIColor::whiteColor()},
      {"#FFFFFF:7", UIColor::whiteColor()},                           // alpha clamped
      {"#FFFFFF:-1", UIColor::colorWithRed(1, 1, 1, 0)},              // alpha clamped
      {"#FFFFFF:1e400", std::nullopt},                               // no exponents
      {"#FFFFFF:", std::nullopt},
      {"#FFFFFF:0.5x", std::nullopt},
      {"#FFFFF", std::nullopt},
      {"#FFFFFFF", std::nullopt},
      {"FFFFFF", std::nullopt},
      {"#GGGGGG", std::nullopt},
      {"#FFF", std::nullopt},
      {"", std::nullopt},
      {"#FFFFFF:1:1", std::nullopt},
      {"#FFFFFF:nan", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::parseColorString(c.text), c.expected) << c.text;
}

TEST(ColorString, FallsBackToTheSecondStringThenToBlack) {
  EXPECT_EQ(platform::LCPParseColorString("nonsense", "#FFFFFF:1.000000"), UIColor::whiteColor());
  EXPECT_EQ(platform::LCPParseColorString("#00FF00", "#FFFFFF"), UIColor::colorWithRed(0, 1, 0, 1));
  EXPECT_EQ(platform::LCPParseColorString("nonsense", "also nonsense"), UIColor::blackColor());
  // Digits beyond what a double holds are still a defined alpha.
  EXPECT_EQ(platform::LCPParseColorString("#FFFFFF:" + std::string(400, '9'), "#000000"), UIColor::whiteColor());
}

}  // namespace
