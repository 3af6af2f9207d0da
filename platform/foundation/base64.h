#pragma once
// Standard base64 (RFC 4648, with padding).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::string base64Encode(const std::uint8_t* bytes, std::size_t size);
inline std::string base64Encode(const std::vector<std::uint8_t>& bytes) {
  return base64Encode(bytes.data(), bytes.size());
}
// Strict: only the standard alphabet, length a multiple of four, padding only at the end.
std::optional<std::vector<std::uint8_t>> base64Decode(std::string_view text);

}  // namespace platform
