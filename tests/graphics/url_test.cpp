#include "platform/graphics/url.h"

#include <gtest/gtest.h>

namespace {

using platform::NSData;
using platform::NSURL;

struct DataUrlCase {
  const char* url;
  bool readable;
  std::string bytes;
};

TEST(DataUrl, ReadsValidDataUrlsAndNothingElse) {
  const DataUrlCase cases[] = {
      {"data:,Hello%2C%20World!", true, "Hello, World!"},
      {"data:text/plain;base64,SGVsbG8sIFdvcmxkIQ==", true, "Hello, World!"},
      {"DATA:TEXT/PLAIN;BASE64,SGk=", true, "Hi"},
      {"data:;base64,SGk=", true, "Hi"},
      {"data:image/png;charset=x;base64,AAEC", true, std::string("\0\1\2", 3)},
      {"data:image/png;name=a%20b,xy", true, "xy"},
      {"data:,", true, ""},
      {"data:text/plain;base64,", true, ""},
      {"data:,a#fragment", true, "a"},
      {"data:text/plain;base64,SGk", false, ""},   // length not a multiple of four
      {"data:text/plain;base64,S=Gk", false, ""},  // padding in the middle
      {"data:text/plain;base64,SG-k", false, ""},  // URL-safe alphabet is not standard base64
      {"data:text/plain;base64;SGk=", false, ""},  // no comma
      {"data:text/plain", false, ""},              // no comma
      {"data:text;base64,SGk=", false, ""},        // a media type needs a subtype
      {"data:text/plain;oops,SGk=", false, ""},    // a parameter needs a value
      {"data:,100%", false, ""},                   // broken escape
      {"data:,two words", false, ""},              // not a URL
      {"file:///etc/passwd", false, ""},
      {"http://example.com/a.png", false, ""},
      {"/var/mobile/Library/icon.png", false, ""},
      {"", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    auto data = NSData::dataWithContentsOfURL(NSURL::URLWithString(c.url));
    ASSERT_EQ(data != nullptr, c.readable);
    if (data) {
      EXPECT_EQ(std::string(data->bytes().begin(), data->bytes().end()), c.bytes);
    }
  }
}

TEST(DataUrl, MediaTypeAndParametersAreParsed) {
  auto plain = platform::parseDataURL("data:,x");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->mediaType, "text/plain");
  EXPECT_EQ(plain->parameters.at("charset"), "US-ASCII");
  EXPECT_FALSE(plain->base64);
  auto png = platform::parseDataURL("data:Image/PNG;Name=icon;base64,AAAA");
  ASSERT_TRUE(png);
  EXPECT_EQ(png->mediaType, "image/png");
  EXPECT_EQ(png->parameters.at("name"), "icon");
  EXPECT_TRUE(png->base64);
  EXPECT_EQ(png->bytes.size(), 3u);
}

TEST(Url, StringsThatAreNotUrlsGiveNothing) {
  struct Case {
    const char* text;
    bool valid;
    const char* scheme;
  };
  const Case cases[] = {
      {"https://example.com/a?b=c#d", true, "https"},
      {"relative/path", true, ""},
      {"Data:,x", true, "data"},
      {"a b", false, ""},
      {"http://exa mple.com", false, ""},
      {"1http://x", false, ""},
      {"%zz", false, ""},
      {"caf\xc3\xa9", false, ""},
      {"", false, ""},
      {"x\"y", false, ""},
  };
  for (const auto& c : cases) {
    auto url = NSURL::URLWithString(c.text);
    EXPECT_EQ(url.has_value(), c.valid) << c.text;
    if (url) {
      EXPECT_EQ(url->scheme(), c.scheme) << c.text;
    }
  }
  EXPECT_EQ(NSData::dataWithContentsOfURL(std::nullopt), nullptr);
}

}  // namespace
