#include "platform/foundation/string_numbers.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace platform {

namespace {

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t skipSpace(std::string_view text, std::size_t i = 0) {
  while (i < text.size() && isSpace(text[i])) ++i;
  return i;
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && isDigit(text[i])) ++i;
  return i;
}

}  // namespace

bool leadingBool(std::string_view text) {
  std::size_t i = skipSpace(text);
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  while (i < text.size() && text[i] == '0') ++i;
  if (i >= text.size()) return false;
  const char c = text[i];
  return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

int leadingInt(std::string_view text) {
  std::size_t i = skipSpace(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  long long magnitude = 0;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;  // saturate; the rest cannot bring it back
  }
  long long value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

double leadingDouble(std::string_view text) {
  const std::size_t start = skipSpace(text);
  std::size_t i = start;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t mantissa = i;
  i = skipDigits(text, i);
  bool digits = i > mantissa;
  if (i < text.size() && text[i] == '.') {
    std::size_t fraction = i + 1;
    std::size_t after = skipDigits(text, fraction);
    if (digits || after > fraction) {
      digits = true;
      i = after;
    }
  }
  if (!digits) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    std::size_t after = skipDigits(text, e);
    if (after > e) i = after;  // an exponent without digits is not part of the number
  }
  const std::string number(text.substr(mantissa, i - mantissa));
  double value = 0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small for a double: strtod tells which, with HUGE_VAL or 0.
    errno = 0;
    value = std::strtod(number.c_str(), nullptr);
  }
  (void)end;
  return negative ? -value : value;
}

}  // namespace platform
