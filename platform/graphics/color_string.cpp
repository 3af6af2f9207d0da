#include "platform/graphics/color_string.h"

#include <cmath>

namespace platform {

namespace {

std::string_view trim(std::string_view s) {
  auto space = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A plain decimal without exponent; parsed by hand so the result does not depend on the C locale.
std::optional<double> parseDecimal(std::string_view s) {
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  double value = 0;
  double scale = 1;
  bool digits = false;
  bool point = false;
  for (char c : s) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    digits = true;
    if (point) {
      scale /= 10;
      value += (c - '0') * scale;
    } else {
      value = value * 10 + (c - '0');
    }
  }
  if (!digits || !std::isfinite(value)) return digits ? std::optional<double>(negative ? -1.0 : 1.0) : std::nullopt;
  return negative ? -value : value;
}

}  // namespace

std::optional<UIColor> parseColorString(std::string_view text) {
  text = trim(text);
  if (text.size() < 7 || text.front() != '#') return std::nullopt;
  int channels[3];
  for (int i = 0; i < 3; ++i) {
    int hi = hexDigit(text[1 + 2 * i]);
    int lo = hexDigit(text[2 + 2 * i]);
    if (hi < 0 || lo < 0) return std::nullopt;
    channels[i] = hi * 16 + lo;
  }
  double alpha = 1;
  std::string_view rest = text.substr(7);
  if (!rest.empty()) {
    if (rest.front() != ':') return std::nullopt;
    auto parsed = parseDecimal(rest.substr(1));
    if (!parsed) return std::nullopt;
    alpha = *parsed;  // the colour clamps it to [0, 1]
  }
  return UIColor::colorWithRed(channels[0] / 255.0, channels[1] / 255.0, channels[2] / 255.0, alpha);
}

UIColor LCPParseColorString(std::string_view text, std::string_view fallback) {
  if (auto color = parseColorString(text)) return *color;
  if (auto color = parseColorString(fallback)) return *color;
  return UIColor::blackColor();
}

}  // namespace platform
