// The XML form as our reader takes it: the elements, references, sections and conversions a property list
// uses, and nothing for what is malformed.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/foundation/plist_xml_reader.h"

namespace {

using platform::PlistArray;
using platform::PlistData;
using platform::PlistDate;
using platform::PlistDict;
using platform::PlistValue;

std::optional<PlistValue> read(const std::string& body) {
  return platform::readXmlPlist("<?xml version=\"1.0\"?>\n<plist version=\"1.0\">" + body + "</plist>\n", 256);
}

TEST(PlistXmlReader, LeavesAndTheirText) {
  struct Case {
    const char* body;
    PlistValue expected;
  } cases[] = {
      {"<string>a&lt;b&amp;&#x263A;&#65;&quot;&apos;&gt;</string>", "a<b&\xE2\x98\xBA" "A\"'>"},
      {"<string><![CDATA[<&amp;>]]>x</string>", "<&amp;>x"},
      {"<string>a<!-- a comment -->b</string>", "ab"},
      {"<string>  kept  </string>", "  kept  "},
      {"<string/>", ""},
      {"<integer> 42 </integer>", 42},
      {"<integer>-9223372036854775808</integer>", std::int64_t{INT64_MIN}},
      {"<integer>18446744073709551615</integer>", -1},  // unsigned, as the binary form stores it
      {"<integer>0x10</integer>", 16},
      {"<real>1e3</real>", 1000.0},
      {"<real>+2.5</real>", 2.5},
      {"<real>-inf</real>", -INFINITY},
      {"<date>2001-01-02T00:00:01Z</date>", PlistDate{86401}},
      {"<date>1970-01-01T00:00:00Z</date>", PlistDate{-978307200}},
      {"<data>\n\tAAH/\n</data>", PlistData{{0, 1, 255}}},
      {"<true/>", true},
      {"<false></false>", false},
      {"<array/>", PlistArray{}},
      {"<dict/>", PlistDict{}},
  };
  for (const auto& c : cases) {
    auto value = read(c.body);
    ASSERT_TRUE(value) << c.body;
    EXPECT_EQ(*value, c.expected) << c.body;
  }
  auto nan = read("<real>nan</real>");
  ASSERT_TRUE(nan);
  EXPECT_TRUE(std::isnan(*nan->doubleValue()));
}

TEST(PlistXmlReader, DictionariesKeepOrderAndTheLastOfTwinKeys) {
  auto value = read("<dict><key>b</key><integer>1</integer><!-- between --><key>a</key><array><true/></array>"
                    "<key>b</key><integer>2</integer></dict>");
  ASSERT_TRUE(value && value->asDict());
  const PlistDict& dict = *value->asDict();
  ASSERT_EQ(dict.size(), 2u);
  EXPECT_EQ(dict.begin()->first, "b");
  EXPECT_EQ(dict.find("b")->intValue(), 2);
  EXPECT_EQ(*dict.find("a"), PlistValue(PlistArray{true}));
}

TEST(PlistXmlReader, WithoutThePlistElementAndWithAByteOrderMark) {
  EXPECT_TRUE(platform::readXmlPlist("<dict><key>a</key><true/></dict>", 256));
  EXPECT_TRUE(platform::readXmlPlist("\xEF\xBB\xBF<?xml version=\"1.0\"?><plist><dict/></plist>", 256));
}

TEST(PlistXmlReader, MalformedTextIsNothing) {
  const char* bodies[] = {
      "<dict><key>a</key></dict>",          // a key without its value
      "<dict><true/></dict>",               // a value without its key
      "<dict><key>a</key><key>b</key><true/></dict>",
      "<array></dict>",                     // closed by the wrong kind
      "<dict>text</dict>",                  // text between elements
      "<foo/>",                             // not an element of a property list
      "<true/><true/>",                     // two top-level values
      "<string>&nbsp;</string>",            // an unknown reference
      "<string>&#0;</string>",              // a reference to no character
      "<string>&#xD800;</string>",
      "<string><b/></string>",              // an element inside a leaf
      "<string>never closed",
      "<integer>1.5</integer>",
      "<integer></integer>",
      "<integer>18446744073709551616</integer>",
      "<real>abc</real>",
      "<date>2001-13-01T00:00:00Z</date>",
      "<date>yesterday</date>",
      "<data>AAH</data>",
      "<true>x</true>",
      "<!-- never closed",
      "",
  };
  for (const char* body : bodies) EXPECT_FALSE(read(body)) << body;
  EXPECT_FALSE(platform::readXmlPlist("<plist><dict/>", 256));  // the plist element left open
  EXPECT_FALSE(platform::readXmlPlist("<plist><dict/></plist><dict/>", 256));
}

}  // namespace
