#include "platform/foundation/plist_xml_scalars.h"

#include <charconv>
#include <cstdint>
#include <limits>

#include "platform/foundation/base64.h"
#include "platform/foundation/utf8.h"

namespace platform::xmlplist {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<char32_t> characterReference(std::string_view body) {
  int base = 10;
  if (!body.empty() && (body.front() == 'x' || body.front() == 'X')) {
    base = 16;
    body.remove_prefix(1);
  }
  std::uint32_t cp = 0;
  auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), cp, base);
  if (body.empty() || error != std::errc() || end != body.data() + body.size()) return std::nullopt;
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return static_cast<char32_t>(cp);
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::optional<unsigned> digits(std::string_view text, std::size_t at, std::size_t count) {
  unsigned value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  return value;
}

}  // namespace

bool appendDecodedText(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    std::size_t amp = text.find('&', i);
    out.append(text.substr(i, amp == std::string_view::npos ? std::string_view::npos : amp - i));
    if (amp == std::string_view::npos) return true;
    std::size_t semicolon = text.find(';', amp);
    if (semicolon == std::string_view::npos || semicolon - amp > 12) return false;
    std::string_view name = text.substr(amp + 1, semicolon - amp - 1);
    if (name == "lt") out += '<';
    else if (name == "gt") out += '>';
    else if (name == "amp") out += '&';
    else if (name == "quot") out += '"';
    else if (name == "apos") out += '\'';
    else if (!name.empty() && name.front() == '#') {
      auto cp = characterReference(name.substr(1));
      if (!cp) return false;
      appendUtf8(out, *cp);
    } else {
      return false;
    }
    i = semicolon + 1;
  }
  return true;
}

std::optional<std::int64_t> integerFromText(std::string_view text) {
  text = trimmed(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (negative) {
    constexpr std::uint64_t lowest = std::uint64_t{1} << 63;
    if (magnitude > lowest) return std::nullopt;
    return magnitude == lowest ? std::numeric_limits<std::int64_t>::min()
                               : -static_cast<std::int64_t>(magnitude);
  }
  // Unsigned values above the signed range keep their bits, as the binary form stores them.
  return static_cast<std::int64_t>(magnitude);
}

std::optional<double> realFromText(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || end != text.data() + text.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range) return std::nullopt;
  if (error != std::errc()) return std::nullopt;
  return value;
}

std::optional<PlistDate> dateFromText(std::string_view text) {
  text = trimmed(text);
  if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != 'Z')
    return std::nullopt;
  auto year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
  auto hour = digits(text, 11, 2), minute = digits(text, 14, 2), second = digits(text, 17, 2);
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  if (*month < 1 || *month > 12 || *day < 1 || *day > 31 || *hour > 23 || *minute > 59 || *second > 60)
    return std::nullopt;
  constexpr std::int64_t kReferenceDay = 11323;  // 2001-01-01, the platform's epoch
  std::int64_t days = daysFromCivil(*year, *month, *day) - kReferenceDay;
  return PlistDate{static_cast<double>(days * 86400 + *hour * 3600 + *minute * 60 + *second)};
}

std::optional<PlistData> dataFromText(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (char c : text)
    if (!isSpace(c)) compact += c;
  auto bytes = base64Decode(compact);
  if (!bytes) return std::nullopt;
  return PlistData{std::move(*bytes)};
}

}  // namespace platform::xmlplist
