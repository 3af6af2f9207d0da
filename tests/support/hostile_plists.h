#pragma once
// Property-list files that once brought the shell down, generated at full size rather than kept in the
// repository: nesting deep enough to overflow a recursive reader, sharing that expands exponentially, and
// dictionaries wide enough to make a linear key search quadratic.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace testing_support {

inline constexpr const char* kXmlPrologue =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">\n";

// <array> nested `levels` deep inside a dictionary, closed or left open.
inline std::string deeplyNestedXml(int levels, bool closed) {
  std::string xml = kXmlPrologue;
  xml += "<dict><key>isEnabled</key>";
  xml.reserve(xml.size() + static_cast<std::size_t>(levels) * 15 + 32);
  for (int i = 0; i < levels; ++i) xml += "<array>";
  if (closed) {
    for (int i = 0; i < levels; ++i) xml += "</array>";
    xml += "</dict></plist>\n";
  }
  return xml;
}

// A dictionary of `keys` reals, as the settings pane's writer lays it out (about 42 bytes a key).
inline std::string wideXml(int keys) {
  std::string xml = kXmlPrologue;
  xml += "<dict>\n";
  char line[96];
  for (int i = 0; i < keys; ++i) {
    std::snprintf(line, sizeof line, "\t<key>setting%06d</key>\n\t<real>%d.5</real>\n", i, i);
    xml += line;
  }
  xml += "</dict>\n</plist>\n";
  return xml;
}

// The same dictionary in the binary form: a dictionary object, then the keys, then the reals.
inline std::string wideBinary(std::uint32_t keys) {
  std::string out = "bplist00";
  std::vector<std::uint64_t> offsets;
  auto be = [&out](std::uint64_t value, int width) {
    for (int i = width - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  offsets.push_back(out.size());
  out += "\xDF\x12";  // a dictionary whose count follows as a 4-byte integer
  be(keys, 4);
  for (std::uint32_t i = 0; i < keys; ++i) be(1 + i, 4);
  for (std::uint32_t i = 0; i < keys; ++i) be(1 + keys + i, 4);
  char key[24];
  for (std::uint32_t i = 0; i < keys; ++i) {
    offsets.push_back(out.size());
    std::snprintf(key, sizeof key, "setting%06u", i % 1'000'000u);  // 13 characters, as the marker says
    out += '\x5D';  // an ASCII string of 13 characters
    out.append(key, 13);
  }
  for (std::uint32_t i = 0; i < keys; ++i) {
    offsets.push_back(out.size());
    out += '\x23';  // an 8-byte real
    double value = i + 0.5;
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    be(bits, 8);
  }
  const std::uint64_t table = out.size();
  for (std::uint64_t offset : offsets) be(offset, 4);
  out.append(6, '\0');
  out += '\x04';
  out += '\x04';
  be(offsets.size(), 8);
  be(0, 8);
  be(table, 8);
  return out;
}

// A binary settings file {"isEnabled": chain} whose chain is `levels` arrays, each holding the next one:
// once, or twice when `shared` (the same object, so the expanded tree doubles at every level).
inline std::string chainedBinarySettings(std::uint32_t levels, bool shared) {
  std::string out = "bplist00";
  std::vector<std::uint64_t> offsets;
  auto be = [&out](std::uint64_t value, int width) {
    for (int i = width - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  offsets.push_back(out.size());
  out += '\xD1';
  be(1, 4);
  be(2, 4);
  offsets.push_back(out.size());
  out += "\x59isEnabled";
  for (std::uint32_t i = 0; i < levels; ++i) {
    offsets.push_back(out.size());
    if (i + 1 == levels) {
      out += '\xA0';
      continue;
    }
    out += shared ? '\xA2' : '\xA1';
    be(i + 3, 4);
    if (shared) be(i + 3, 4);
  }
  const std::uint64_t table = out.size();
  for (std::uint64_t offset : offsets) be(offset, 4);
  out.append(6, '\0');
  out += '\x04';
  out += '\x04';
  be(offsets.size(), 8);
  be(0, 8);
  be(table, 8);
  return out;
}

}  // namespace testing_support
