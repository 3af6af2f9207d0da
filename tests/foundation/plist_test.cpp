#include <gtest/gtest.h>

#include <fstream>

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
      {PlistValue("3"), std::nullopt, std::nullopt, std::nullopt},
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

TEST(PlistValue, PathsStayInsideTheDeviceRoot) {
  platform::Device device;
  auto& proc = device.spawn("SpringBoard", std::nullopt);
  EXPECT_EQ(proc.resolvePath("/var/mobile/x.plist"), device.root() / "var/mobile/x.plist");
  EXPECT_EQ(proc.resolvePath("/../../etc/passwd"), device.root() / "etc/passwd");
}

}  // namespace
