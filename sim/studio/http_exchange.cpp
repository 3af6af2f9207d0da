#include "sim/studio/http_exchange.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "sim/studio/json_text.h"

namespace sim::studio {

namespace {

bool sameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// `plusIsSpace` for the query, where a form writes spaces as '+'.
std::optional<std::string> decode(std::string_view text, bool plusIsSpace) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '%') {
      if (i + 2 >= text.size()) return std::nullopt;
      int hi = hexDigit(text[i + 1]), lo = hexDigit(text[i + 2]);
      if (hi < 0 || lo < 0) return std::nullopt;
      out.push_back(static_cast<char>(hi * 16 + lo));
      i += 2;
    } else {
      out.push_back(plusIsSpace && c == '+' ? ' ' : c);
    }
  }
  return out;
}

}  // namespace

std::optional<std::string_view> StudioRequest::header(std::string_view name) const {
  for (const auto& [n, v] : headers)
    if (sameWord(n, name)) return std::string_view(v);
  return std::nullopt;
}

StudioResponse errorResponse(int status, std::string_view message) {
  StudioResponse response;
  response.status = status;
  response.body = jsonText(nlohmann::json{{"error", std::string(message)}});
  return response;
}

bool splitTarget(std::string_view target, StudioRequest& request) {
  if (!target.starts_with('/')) return false;
  std::string_view path = target.substr(0, target.find('?'));
  auto decodedPath = decode(path, false);
  if (!decodedPath) return false;
  request.path = std::move(*decodedPath);
  request.query.clear();
  if (path.size() == target.size()) return true;
  std::string_view query = target.substr(path.size() + 1);
  while (!query.empty()) {
    std::string_view pair = query.substr(0, query.find('&'));
    query.remove_prefix(std::min(query.size(), pair.size() + 1));
    if (pair.empty()) continue;
    auto equals = pair.find('=');
    auto name = decode(pair.substr(0, equals), true);
    auto value = decode(equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1), true);
    if (!name || !value) return false;
    request.query.emplace(std::move(*name), std::move(*value));
  }
  return true;
}

}  // namespace sim::studio
