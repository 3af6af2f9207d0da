#pragma once
// Reading and writing property-list files, XML and binary alike.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/plist_value.h"

namespace platform {

enum class PlistFormat { Xml, Binary };

// The top-level dictionary of a property list, or nothing when the bytes are not one.
std::optional<PlistDict> parsePlistDictionary(std::string_view bytes);
// A settings file is a few kilobytes; anything beyond this is not read at all.
inline constexpr std::uintmax_t kMaxPlistFileBytes = 16 * 1024 * 1024;

// initWithContentsOfFile: nothing when the file is missing, unreadable, malformed or not a dictionary, and
// when the path names something other than a regular file or a file larger than kMaxPlistFileBytes.
std::optional<PlistDict> readPlistDictionary(const std::filesystem::path& path);

std::string serializePlist(const PlistDict& dict, PlistFormat format);
// Any value as the top-level object (a settings file need not hold a dictionary).
std::string serializePlist(const PlistValue& value, PlistFormat format);
// Writes atomically (temporary file, then rename), as the settings pane does. False on failure.
bool writePlistDictionary(const std::filesystem::path& path, const PlistDict& dict, PlistFormat format);
bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace platform
