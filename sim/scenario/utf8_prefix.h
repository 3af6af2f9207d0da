#pragma once
// Shortening text for a message without splitting a character: standard error must stay valid UTF-8.
#include <cstddef>
#include <string_view>

namespace sim {

// The longest prefix of at most `maxBytes` bytes that ends on a character boundary of UTF-8 text.
inline std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = maxBytes;
  // Back off over continuation bytes (10xxxxxx) to the first byte of the character that would be cut.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace sim
