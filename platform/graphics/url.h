#pragma once
// NSURL and NSData, as far as the system uses them: parsing URL strings and reading "data:" URLs (RFC 2397).
// A URL never opens a file or reaches the network here; every other scheme reads as nothing.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class NSURL {
 public:
  // Nothing for a string that is not a URL: empty, characters a URL cannot hold (spaces, quotes, controls,
  // non-ASCII), a '%' not followed by two hex digits, or a malformed scheme.
  static std::optional<NSURL> URLWithString(std::string_view string);

  const std::string& absoluteString() const { return string_; }
  // Lower-cased; empty for a relative URL.
  const std::string& scheme() const { return scheme_; }

 private:
  NSURL(std::string string, std::string scheme) : string_(std::move(string)), scheme_(std::move(scheme)) {}
  std::string string_;
  std::string scheme_;
};

// A parsed data URL.
struct DataURL {
  std::string mediaType;  // lower-cased, "text/plain" when left out
  std::map<std::string, std::string>
      parameters;  // names lower-cased; charset=US-ASCII when the type is left out
  bool base64 = false;
  std::vector<std::uint8_t> bytes;
};

// Nothing for another scheme, a missing comma, invalid base64 or a bad percent escape.
std::optional<DataURL> parseDataURL(std::string_view url);
// '%XY' escapes decoded; nothing when an escape is malformed.
std::optional<std::string> percentDecode(std::string_view text);

class NSData;
using NSDataPtr = std::shared_ptr<const NSData>;

class NSData {
 public:
  // The bytes of a data URL; nil for anything else, a nil URL included.
  static NSDataPtr dataWithContentsOfURL(const std::optional<NSURL>& url);
  static NSDataPtr dataWithBytes(std::vector<std::uint8_t> bytes);

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::size_t length() const { return bytes_.size(); }

 private:
  explicit NSData(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
  std::vector<std::uint8_t> bytes_;
};

}  // namespace platform
