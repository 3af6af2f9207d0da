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
}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (unsigned char c : text) {
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
