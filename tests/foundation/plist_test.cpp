#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "platform/device/device.h"
#include "platform/foundation/plist_file.h"

namespace {

using platform::PlistDict;
using platform::PlistFormat;
using platform::PlistValue;

struct PlistFileTest : ::testing::TestWithParam<PlistFormat> {
  platform::Device device;
  platform::Process& proc = device.spawn("SpringBoard", "com.apple.springboard");
  std::filesystem::path path = proc.resolvePath("/var/mobile/Library/Preferences/test.plist");
};

TEST_P(PlistFileTest, RoundTripsEveryKindIncludingNegativeIntegers) {
  PlistDict nested;
  nested.set("inner", -3);
  PlistDict dict;
  dict.set("flag", false);
  dict.set("alignment", -1);
  dict.set("big", std::int64_t{-5'000'000'000});
  dict.set("real", 1.9);
  dict.set("name", "#7942D8:1.000000");
  dict.set("list", platform::PlistArray{PlistValue(1), PlistValue("two")});
  dict.set("dict", nested);
  dict.set("blob", platform::PlistData{{0, 255, 7}});
  ASSERT_TRUE(platform::writePlistDictionary(path, dict, GetParam()));

  auto read = platform::readPlistDictionary(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->find("alignment")->intValue(), -1);
  EXPECT_EQ(read->find("big")->doubleValue(), -5e9);
  EXPECT_EQ(read->find("real")->intValue(), 1);
  EXPECT_EQ(read->find("flag")->boolValue(), false);
  EXPECT_EQ(*read->find("name")->asString(), "#7942D8:1.000000");
  EXPECT_EQ(read->find("dict")->asDict()->find("inner")->intValue(), -3);
  EXPECT_EQ(*read, dict);
}

INSTANTIATE_TEST_SUITE_P(Formats, PlistFileTest, ::testing::Values(PlistFormat::Xml, PlistFormat::Binary));

TEST(PlistFile, NothingForMissingGarbageAndNonDictionaryFiles) {
  platform::Device device;
  auto dir = device.root();
  EXPECT_FALSE(platform::readPlistDictionary(dir / "missing.plist"));

  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"garbage", "not a property list at all"},
      {"truncated-xml", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key>"},
      {"array-root", "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><integer>1</integer></array></plist>"},
      {"string-root", "<?xml version=\"1.0\"?><plist version=\"1.0\"><string>x</string></plist>"},
      {"binary-truncated", std::string("bplist00\xd1\x01\x02", 11)},
  };
  for (const auto& c : cases) {
    std::ofstream(dir / c.name, std::ios::binary) << c.bytes;
    EXPECT_FALSE(platform::readPlistDictionary(dir / c.name)) << c.name;
  }
}

TEST(PlistFile, StringsWithNulBytesReadWithoutAborting) {
  // The XML reader lets NUL bytes into strings; reading them must not trip the library's own checks.
  std::string xml = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>minColor</key><string>*";
  xml += std::string("\0\0", 2) + "x</string></dict></plist>";
  auto dict = platform::parsePlistDictionary(xml);
  ASSERT_TRUE(dict);
  const std::string* value = platform::stringForKey(*dict, "minColor");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->size(), 4u);  // what the reader keeps after a NUL is its own business
  EXPECT_EQ(value->front(), '*');
}

TEST(PlistValue, NumberConversions) {
  struct Case {
    PlistValue value;
    std::optional<bool> b;
    std::optional<int> i;
    std::optional<float> f;
  } cases[] = {
      {PlistValue(1.9), true, 1, 1.9f},
      {PlistValue(-1.9), true, -1, -1.9f},
      {PlistValue(6), true, 6, 6.0f},
      {PlistValue(0), false, 0, 0.0f},
      {PlistValue(true), true, 1, 1.0f},
      {PlistValue(1e300), true, INT32_MAX, std::numeric_limits<float>::infinity()},
      {PlistValue(-1e300), true, INT32_MIN, -std::numeric_limits<float>::infinity()},
      {PlistValue("3"), true, 3, 3.0f},
      {PlistValue(platform::PlistData{}), std::nullopt, std::nullopt, std::nullopt},
      {PlistValue(platform::PlistDate{}), std::nullopt, std::nullopt, std::nullopt},
      {PlistValue(platform::PlistArray{}), std::nullopt, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.value.boolValue(), c.b);
    EXPECT_EQ(c.value.intValue(), c.i);
    EXPECT_EQ(c.value.floatValue(), c.f);
  }
  PlistValue nan(std::nan(""));
  EXPECT_EQ(nan.intValue(), 0);
  EXPECT_EQ(nan.boolValue(), true);
}

TEST(PlistValue, RealsBeyondSinglePrecisionRoundToTheNearestFloat) {
  const double max = std::numeric_limits<float>::max();
  const double midpoint = max + std::ldexp(1.0, 103);
  const float inf = std::numeric_limits<float>::infinity();
  const float fmax = std::numeric_limits<float>::max();
  const struct {
    double value;
    float expected;
  } cases[] = {
      {max, fmax},
      {std::nextafter(max, 0.0) , static_cast<float>(std::nextafter(max, 0.0))},
      {std::nextafter(max, 1e300), fmax},
      {std::nextafter(midpoint, 0.0), fmax},
      {midpoint, inf},  // a tie rounds to even: away from FLT_MAX's odd last bit
      {std::ldexp(1.0, 128), inf},
      {-std::nextafter(midpoint, 0.0), -fmax},
      {-midpoint, -inf},
      {1e300, inf},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlistValue(c.value).floatValue(), c.expected) << c.value;
    EXPECT_EQ(platform::nearestFloat(c.value), c.expected) << c.value;
  }
}

TEST(PlistValue, StringsAnswerAsFoundationStringsDo) {
  const struct {
    const char* text;
    bool b;
    int i;
    double d;
  } cases[] = {
      {"", false, 0, 0},
      {"YES", true, 0, 0},
      {"yes", true, 0, 0},
      {"true", true, 0, 0},
      {"T", true, 0, 0},
      {"NO", false, 0, 0},
      {"no", false, 0, 0},
      {"false", false, 0, 0},
      {"  \t 0.3", false, 0, 0.3},
      {"0.3", false, 0, 0.3},
      {".5", false, 0, 0.5},
      {"-.5e1x", false, 0, -5},
      {"5.", true, 5, 5},
      {"1e", true, 1, 1},
      {"+007", true, 7, 7},
      {"-0001", true, -1, -1},
      {"000", false, 0, 0},
      {"-0y", true, 0, 0},
      {"1.9", true, 1, 1.9},
      {"  42abc", true, 42, 42},
      {"abc", false, 0, 0},
      {"+-1", false, 0, 0},
      {"99999999999", true, INT32_MAX, 99999999999.0},
      {"-99999999999", true, INT32_MIN, -99999999999.0},
      {"1e999", true, 1, std::numeric_limits<double>::infinity()},
      {"-1e999", true, -1, -std::numeric_limits<double>::infinity()},
      {"1e-999", true, 1, 0},
      {"nan", false, 0, 0},
      {"inf", false, 0, 0},
  };
  for (const auto& c : cases) {
    PlistValue value(c.text);
    EXPECT_EQ(value.boolValue(), c.b) << c.text;
    EXPECT_EQ(value.intValue(), c.i) << c.text;
    EXPECT_EQ(value.doubleValue(), c.d) << c.text;
    EXPECT_EQ(value.floatValue(), platform::nearestFloat(c.d)) << c.text;
  }
  // A number inside a string is still a string to the "as a number" helper.
  platform::PlistDict dict;
  dict.set("n", "3");
  EXPECT_EQ(platform::numberForKey(dict, "n"), std::nullopt);
}

TEST(PlistValue, PathsStayInsideTheDeviceRoot) {
  platform::Device device;
  auto& proc = device.spawn("SpringBoard", std::nullopt);
  EXPECT_EQ(proc.resolvePath("/var/mobile/x.plist"), device.root() / "var/mobile/x.plist");
  EXPECT_EQ(proc.resolvePath("/../../etc/passwd"), device.root() / "etc/passwd");
}

}  // namespace
