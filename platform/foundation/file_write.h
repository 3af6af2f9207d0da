#pragma once
// Writing a whole file of bytes, for every encoder's output (PNG, WebP): the file is replaced, and a write
// that fails anywhere (a missing folder, a full disk) is reported, not left as a short file that looks
// written.
#include <cstdint>
#include <filesystem>
#include <span>

namespace platform {

// Answers whether every byte reached the file.
bool writeFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace platform
