#include "platform/foundation/json.h"

#include "platform/foundation/base64.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
void appendReal(std::string& out, double d) {
  if (std::isnan(d)) return appendJsonString(out, "NaN");
  if (std::isinf(d)) return appendJsonString(out, d > 0 ? "Infinity" : "-Infinity");
  char buffer[32];
  // Shortest text that reads back as the same double.
  for (int precision = 6; precision <= 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, d);
    if (std::strtod(buffer, nullptr) == d) break;
  }
  out += buffer;
}
// The length of the well-formed UTF-8 sequence at the start of `text` (no overlong forms, no surrogates,
// nothing past U+10FFFF), or 0 when it is not one.
std::size_t utf8SequenceAt(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0xC2 || lead > 0xF4 || text.size() < length) return 0;
  // The second byte's range depends on the lead; the rest are plain continuation bytes.
  unsigned char low = 0x80, high = 0xBF;
  if (lead == 0xE0) low = 0xA0;
  else if (lead == 0xED) high = 0x9F;
  else if (lead == 0xF0) low = 0x90;
  else if (lead == 0xF4) high = 0x8F;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  return length;
}
}  // namespace

// JSON text is UTF-8: a byte that begins no well-formed sequence (a hostile file's key, say) is written as
// U+FFFD, so that every reader of the text can parse it.
void appendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t length = utf8SequenceAt(text.substr(i));
      if (length == 0) {
        out += "\\ufffd";
      } else {
        out.append(text.substr(i, length));
        i += length - 1;
      }
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
}

void appendJson(std::string& out, const PlistValue& value) {
  std::visit(
      [&out](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, bool>) out += v ? "true" : "false";
        else if constexpr (std::is_same_v<T, std::int64_t>) out += std::to_string(v);
        else if constexpr (std::is_same_v<T, double>) appendReal(out, v);
        else if constexpr (std::is_same_v<T, std::string>) appendJsonString(out, v);
        else if constexpr (std::is_same_v<T, PlistData>) {
          appendJsonString(out, base64Encode(v.bytes));
        } else if constexpr (std::is_same_v<T, PlistDate>) appendReal(out, v.secondsSinceReferenceDate);
        else if constexpr (std::is_same_v<T, PlistArray>) {
          out += '[';
          for (std::size_t i = 0; i < v.size(); ++i) {
            if (i) out += ',';
            appendJson(out, v[i]);
          }
          out += ']';
        } else {
          out += '{';
          bool first = true;
          for (const auto& [k, item] : v) {
            if (!first) out += ',';
            first = false;
            appendJsonString(out, k);
            out += ':';
            appendJson(out, item);
          }
          out += '}';
        }
      },
      value.storage);
}

std::string toJson(const PlistValue& value) {
  std::string out;
  appendJson(out, value);
  return out;
}

}  // namespace platform
