#include "platform/graphics/url.h"

#include <algorithm>
#include <cctype>

#include "platform/foundation/base64.h"

namespace platform {

namespace {

bool isAsciiAlpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Unreserved and reserved characters of a URI; everything else must be percent-escaped.
bool isUrlCharacter(char c) {
  if (isAsciiAlpha(c) || isAsciiDigit(c)) return true;
  return std::string_view("-._~:/?#[]@!$&'()*+,;=%").find(c) != std::string_view::npos;
}

std::string lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

bool isToken(std::string_view text) {
  if (text.empty()) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return isAsciiAlpha(c) || isAsciiDigit(c) ||
           std::string_view("!#$&^_.+-").find(c) != std::string_view::npos;
  });
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) break;
    start = at + 1;
  }
  return parts;
}

}  // namespace

std::optional<std::string> percentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    int hi = hexValue(text[i + 1]);
    int lo = hexValue(text[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<char>(hi * 16 + lo));
    i += 2;
  }
  return out;
}

std::optional<NSURL> NSURL::URLWithString(std::string_view string) {
  if (string.empty()) return std::nullopt;
  if (!std::all_of(string.begin(), string.end(), isUrlCharacter)) return std::nullopt;
  if (!percentDecode(string)) return std::nullopt;
  std::string scheme;
  std::size_t colon = string.find(':');
  std::size_t firstDelimiter = string.find_first_of("/?#");
  if (colon != std::string_view::npos &&
      (firstDelimiter == std::string_view::npos || colon < firstDelimiter)) {
    std::string_view candidate = string.substr(0, colon);
    if (candidate.empty() || !isAsciiAlpha(candidate.front())) return std::nullopt;
    bool valid = std::all_of(candidate.begin(), candidate.end(), [](char c) {
      return isAsciiAlpha(c) || isAsciiDigit(c) || c == '+' || c == '-' || c == '.';
    });
    if (!valid) return std::nullopt;
    scheme = lowered(candidate);
  }
  return NSURL(std::string(string), std::move(scheme));
}

std::optional<DataURL> parseDataURL(std::string_view url) {
  constexpr std::string_view kScheme = "data:";
  if (url.size() < kScheme.size() || lowered(url.substr(0, kScheme.size())) != kScheme) return std::nullopt;
  std::string_view rest = url.substr(kScheme.size());
  rest = rest.substr(0, rest.find('#'));  // a fragment is not part of the data
  std::size_t comma = rest.find(',');
  if (comma == std::string_view::npos) return std::nullopt;

  DataURL result;
  std::vector<std::string_view> header = split(rest.substr(0, comma), ';');
  if (header.size() > 1 && lowered(header.back()) == "base64") {
    result.base64 = true;
    header.pop_back();
  }
  std::string_view type = header.front();
  if (type.empty()) {
    result.mediaType = "text/plain";
    result.parameters["charset"] = "US-ASCII";
  } else {
    std::size_t slash = type.find('/');
    if (slash == std::string_view::npos || !isToken(type.substr(0, slash)) ||
        !isToken(type.substr(slash + 1)))
      return std::nullopt;
    result.mediaType = lowered(type);
  }
  for (std::size_t i = 1; i < header.size(); ++i) {
    std::size_t equals = header[i].find('=');
    if (equals == std::string_view::npos || !isToken(header[i].substr(0, equals))) return std::nullopt;
    auto value = percentDecode(header[i].substr(equals + 1));
    if (!value) return std::nullopt;
    result.parameters[lowered(header[i].substr(0, equals))] = *value;
  }

  auto data = percentDecode(rest.substr(comma + 1));
  if (!data) return std::nullopt;
  if (result.base64) {
    auto decoded = base64Decode(*data);
    if (!decoded) return std::nullopt;
    result.bytes = std::move(*decoded);
  } else {
    result.bytes.assign(data->begin(), data->end());
  }
  return result;
}

NSDataPtr NSData::dataWithContentsOfURL(const std::optional<NSURL>& url) {
  if (!url || url->scheme() != "data") return nullptr;
  auto parsed = parseDataURL(url->absoluteString());
  if (!parsed) return nullptr;
  return dataWithBytes(std::move(parsed->bytes));
}

NSDataPtr NSData::dataWithBytes(std::vector<std::uint8_t> bytes) {
  return NSDataPtr(new NSData(std::move(bytes)));
}

}  // namespace platform
