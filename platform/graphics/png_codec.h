#pragma once
// PNG reading and writing (libpng). Reading never trusts its input: anything but a whole, valid PNG of an
// acceptable size gives nothing.
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/graphics/image.h"

namespace platform {

// The eight bytes every PNG file starts with.
inline constexpr auto kPngSignature = std::to_array<std::uint8_t>({0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'});

CGImageRef decodePng(const std::uint8_t* bytes, std::size_t size);
// Empty when encoding fails.
std::vector<std::uint8_t> encodePng(const CGImage& image);
// Answers whether the whole file was written.
bool writePng(const CGImage& image, const std::filesystem::path& path);

}  // namespace platform
