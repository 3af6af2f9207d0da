#include "sim/scenario/literals.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/foundation/utf8.h"

namespace sim {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string lowercase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Length of the longest prefix of text that reads as a decimal real (sign, digits, point, exponent).
std::size_t realPrefixLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissaDigits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++mantissaDigits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t expDigits = 0;
    while (j < text.size() && isDigit(text[j])) ++j, ++expDigits;
    if (expDigits > 0) i = j;
  }
  return i;
}

template <class T>
Literal<T> fail(std::string problem) {
  return Literal<T>{std::nullopt, std::move(problem)};
}

std::optional<int> hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

}  // namespace

bool looksNumeric(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i < text.size() && text[i] == '.') ++i;
  return i < text.size() && isDigit(text[i]);
}

Literal<double> parseRealLiteral(std::string_view text, bool allowNonFinite) {
  std::string lower = lowercase(text);
  std::string_view magnitude = lower;
  bool negative = false;
  if (!magnitude.empty() && (magnitude[0] == '+' || magnitude[0] == '-')) {
    negative = magnitude[0] == '-';
    magnitude.remove_prefix(1);
  }
  if (magnitude == "nan" || magnitude == "inf" || magnitude == "infinity") {
    if (!allowNonFinite) return fail<double>("is not a finite number");
    if (magnitude == "nan") return {std::numeric_limits<double>::quiet_NaN(), {}};
    double inf = std::numeric_limits<double>::infinity();
    return {negative ? -inf : inf, {}};
  }
  std::size_t length = realPrefixLength(text);
  if (length == 0) return fail<double>("is not a number");
  if (length < text.size())
    return fail<double>("is not a number (unexpected '" + std::string(text.substr(length)) + "')");
  std::string_view body = text;
  if (body[0] == '+') body.remove_prefix(1);
  double value = 0;
  auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (error == std::errc::result_out_of_range) return fail<double>("is out of range");
  if (error != std::errc() || end != body.data() + body.size()) return fail<double>("is not a number");
  return {value, {}};
}

Literal<std::int64_t> parseIntegerLiteral(std::string_view text) {
  // from_chars takes a leading '-' but not a '+', so the sign is read here and handed on only when '-'.
  std::string_view body = text;
  std::size_t digitsFrom = 0;
  if (!body.empty() && body[0] == '+')
    body.remove_prefix(1);
  else if (!body.empty() && body[0] == '-')
    digitsFrom = 1;
  std::size_t i = digitsFrom;
  while (i < body.size() && isDigit(body[i])) ++i;
  if (i == digitsFrom) return fail<std::int64_t>("is not an integer");
  if (i < body.size()) {
    if (realPrefixLength(text) == text.size()) return fail<std::int64_t>("is not an integer");
    return fail<std::int64_t>("is not an integer (unexpected '" + std::string(body.substr(i)) + "')");
  }
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (error == std::errc::result_out_of_range)
    return fail<std::int64_t>("is out of the 64-bit integer range");
  if (error != std::errc() || end != body.data() + body.size())
    return fail<std::int64_t>("is not an integer");
  return {value, {}};
}

Literal<platform::Nanos> parseDurationLiteral(std::string_view text) {
  std::size_t length = realPrefixLength(text);
  if (length == 0) return fail<platform::Nanos>("is not a time (write seconds as 1.5s or 1500ms)");
  std::string_view unit = text.substr(length);
  double perUnit = 0;
  if (unit.empty() || unit == "s")
    perUnit = 1;
  else if (unit == "ms")
    perUnit = 1e-3;
  else
    return fail<platform::Nanos>("has an unknown unit '" + std::string(unit) + "' (use s or ms)");
  Literal<double> number = parseRealLiteral(text.substr(0, length), false);
  if (!number) return fail<platform::Nanos>(number.problem);
  double seconds = *number.value * perUnit;
  if (seconds < 0) return fail<platform::Nanos>("is negative; times and durations cannot be");
  if (seconds > kMaxScenarioSeconds)
    return fail<platform::Nanos>("is longer than a scenario may run (1000000s)");
  return {platform::secondsToNanos(seconds), {}};
}

Literal<bool> parseBoolLiteral(std::string_view text) {
  if (text == "true" || text == "yes" || text == "on") return {true, {}};
  if (text == "false" || text == "no" || text == "off") return {false, {}};
  return fail<bool>("is not a yes/no value (use true, false, yes, no, on or off)");
}

Literal<Colour> parseColourLiteral(std::string_view text) {
  constexpr std::string_view kHint = " (write colours as #RRGGBB or #RRGGBB:alpha)";
  if (text.size() < 7 || text[0] != '#') return fail<Colour>("is not a colour" + std::string(kHint));
  double channels[3] = {0, 0, 0};
  for (int c = 0; c < 3; ++c) {
    auto high = hexDigit(text[1 + 2 * c]);
    auto low = hexDigit(text[2 + 2 * c]);
    if (!high || !low)
      return fail<Colour>("is not a colour: '" + std::string(platform::utf8Prefix(text.substr(1), 6)) +
                          "' is not six hexadecimal digits" + std::string(kHint));
    channels[c] = (*high * 16 + *low) / 255.0;
  }
  Colour colour{std::string(text), channels[0], channels[1], channels[2], 1};
  std::string_view rest = text.substr(7);
  if (rest.empty()) return {colour, {}};
  if (rest[0] != ':')
    return fail<Colour>("is not a colour: unexpected '" + std::string(rest) + "'" + std::string(kHint));
  Literal<double> alpha = parseRealLiteral(rest.substr(1), false);
  if (!alpha)
    return fail<Colour>("is not a colour: its alpha '" + std::string(rest.substr(1)) + "' " + alpha.problem);
  if (*alpha.value < 0 || *alpha.value > 1)
    return fail<Colour>("is not a colour: its alpha must be within 0...1");
  colour.alpha = *alpha.value;
  return {colour, {}};
}

std::string formatSeconds(platform::Nanos time) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.9g", platform::nanosToSeconds(time));
  return std::string(buffer) + "s";
}

}  // namespace sim
