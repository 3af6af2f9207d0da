#include "sim/scenario/literals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using sim::parseRealLiteral;

TEST(RealLiteral, AcceptsDecimalFormsExactly) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"1", 1},  {"-0.5", -0.5}, {"+2.25", 2.25}, {".25", 0.25},
               {"3.", 3}, {"3e-2", 0.03}, {"1E3", 1000}};
  for (const auto& c : cases) {
    auto parsed = parseRealLiteral(c.text, false);
    ASSERT_TRUE(parsed) << c.text << ": " << parsed.problem;
    EXPECT_DOUBLE_EQ(*parsed.value, c.value) << c.text;
  }
}

TEST(RealLiteral, RefusesJunkAndRangeWithAReason) {
  struct Case {
    const char* text;
    const char* problem;
  } cases[] = {
      {"1.5x", "unexpected 'x'"},   {"1e", "unexpected 'e'"},  {"abc", "is not a number"},
      {"", "is not a number"},      {"1e999", "out of range"}, {"--1", "is not a number"},
      {"0x10", "unexpected 'x10'"}, {"nan", "not a finite"},   {"-inf", "not a finite"},
      {"1.2.3", "unexpected '.3'"},
  };
  for (const auto& c : cases) {
    auto parsed = parseRealLiteral(c.text, false);
    EXPECT_FALSE(parsed) << c.text;
    EXPECT_NE(parsed.problem.find(c.problem), std::string::npos) << c.text << ": " << parsed.problem;
  }
}

TEST(RealLiteral, NonFiniteWhenAllowedInAnyCase) {
  EXPECT_TRUE(std::isnan(*parseRealLiteral("nan", true).value));
  EXPECT_TRUE(std::isnan(*parseRealLiteral("NaN", true).value));
  EXPECT_EQ(*parseRealLiteral("inf", true).value, INFINITY);
  EXPECT_EQ(*parseRealLiteral("+Infinity", true).value, INFINITY);
  EXPECT_EQ(*parseRealLiteral("-inf", true).value, -INFINITY);
}

TEST(IntegerLiteral, SixtyFourBitsAndNothingElse) {
  EXPECT_EQ(*sim::parseIntegerLiteral("-9223372036854775808").value, INT64_MIN);
  EXPECT_EQ(*sim::parseIntegerLiteral("+42").value, 42);
  struct Case {
    const char* text;
    const char* problem;
  } cases[] = {{"9223372036854775808", "out of the 64-bit"},
               {"1.0", "not an integer"},
               {"12px", "unexpected 'px'"},
               {"+-5", "not an integer"},
               {"-", "not an integer"},
               {"1e3", "not an integer"}};
  for (const auto& c : cases) {
    auto parsed = sim::parseIntegerLiteral(c.text);
    EXPECT_FALSE(parsed) << c.text;
    EXPECT_NE(parsed.problem.find(c.problem), std::string::npos) << c.text << ": " << parsed.problem;
  }
}

TEST(DurationLiteral, SecondsMillisecondsAndBareNumbers) {
  struct Case {
    const char* text;
    platform::Nanos nanos;
  } cases[] = {{"1.5s", 1'500'000'000},
               {"250ms", 250'000'000},
               {"2", 2'000'000'000},
               {"0.1", 100'000'000},
               {"0s", 0},
               {"1000000s", 1'000'000'000'000'000}};
  for (const auto& c : cases) EXPECT_EQ(*sim::parseDurationLiteral(c.text).value, c.nanos) << c.text;
}

TEST(DurationLiteral, RefusesNegativeHugeUnknownUnitsAndNonFinite) {
  struct Case {
    const char* text;
    const char* problem;
  } cases[] = {{"-1s", "negative"},       {"1000001s", "longer than"}, {"2min", "unknown unit 'min'"},
               {"1.5 s", "unknown unit"}, {"infs", "not a time"},      {"s", "not a time"}};
  for (const auto& c : cases) {
    auto parsed = sim::parseDurationLiteral(c.text);
    EXPECT_FALSE(parsed) << c.text;
    EXPECT_NE(parsed.problem.find(c.problem), std::string::npos) << c.text << ": " << parsed.problem;
  }
}

TEST(ColourLiteral, KeepsTextAndDecodesComponents) {
  auto plain = sim::parseColourLiteral("#FF8000");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain.value->text, "#FF8000");
  EXPECT_DOUBLE_EQ(plain.value->red, 1);
  EXPECT_NEAR(plain.value->green, 128 / 255.0, 1e-12);
  EXPECT_DOUBLE_EQ(plain.value->blue, 0);
  EXPECT_DOUBLE_EQ(plain.value->alpha, 1);
  auto translucent = sim::parseColourLiteral("#7942d8:0.25");
  ASSERT_TRUE(translucent);
  EXPECT_DOUBLE_EQ(translucent.value->alpha, 0.25);
}

TEST(ColourLiteral, RefusesMalformedText) {
  for (const char* text : {"FF8000", "#FF80", "#GG8000", "#FF8000:", "#FF8000:1.5", "#FF8000:-0.1",
                           "#FF8000x", "#FF8000:nan", "#FF8000:0.5:1"})
    EXPECT_FALSE(sim::parseColourLiteral(text)) << text;
}

TEST(BoolLiteral, ThreePairs) {
  for (const char* yes : {"true", "yes", "on"}) EXPECT_EQ(sim::parseBoolLiteral(yes).value, true) << yes;
  for (const char* no : {"false", "no", "off"}) EXPECT_EQ(sim::parseBoolLiteral(no).value, false) << no;
  EXPECT_FALSE(sim::parseBoolLiteral("True"));
  EXPECT_FALSE(sim::parseBoolLiteral("1"));
}

}  // namespace
