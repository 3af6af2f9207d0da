// JSON text written from property-list values must parse whatever bytes the values hold.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/foundation/json.h"

namespace {

struct Case {
  const char* what;
  std::string bytes;
  std::string written;  // between the quotes
};

TEST(JsonText, EveryStringIsWrittenAsValidJson) {
  const Case cases[] = {
      {"ASCII with escapes", "a\"b\\c\n\x01", "a\\\"b\\\\c\\n\\u0001"},
      {"two, three and four bytes", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x94\x8A", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x94\x8A"},
      {"a stray byte", "is\xFF" "Enabled", "is\\ufffdEnabled"},
      {"a lone continuation byte", "\x80x", "\\ufffdx"},
      {"an overlong slash", "\xC0\xAF", "\\ufffd\\ufffd"},
      {"a surrogate", "\xED\xA0\x80", "\\ufffd\\ufffd\\ufffd"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", "\\ufffd\\ufffd\\ufffd\\ufffd"},
      {"cut short at the end", "ok\xE2\x82", "ok\\ufffd\\ufffd"},
  };
  for (const Case& c : cases) {
    std::string out;
    platform::appendJsonString(out, c.bytes);
    EXPECT_EQ(out, "\"" + c.written + "\"") << c.what;
    EXPECT_TRUE(nlohmann::json::accept(out)) << c.what;
  }
}

TEST(JsonText, AKeyOfAnyBytesParses) {
  platform::PlistDict dict;
  dict.set("is\xFF" "Enabled", platform::PlistValue(false));
  const std::string text = platform::toJson(platform::PlistValue(dict));
  EXPECT_EQ(nlohmann::json::parse(text).begin().key(), "is\xEF\xBF\xBD" "Enabled");
}

}  // namespace
