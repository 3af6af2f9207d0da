#pragma once
// Property-list files that once brought the shell down, generated at full size rather than kept in the
// repository: nesting deep enough to overflow a recursive reader, sharing that expands exponentially, and
// dictionaries wide enough to make a linear key search quadratic.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
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

// The binary form as written here: objects one after another, 4-byte offsets and references, object 0
// the root. `begin` starts the file; `finish` adds the offset table and the trailer.
class BinaryPlistWriter {
 public:
  std::string out = "bplist00";
  void begin() { offsets_.push_back(out.size()); }
  void bigEndian(std::uint64_t value, int width) {
    for (int i = width - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  std::string finish() {
    const std::uint64_t table = out.size();
    for (std::uint64_t offset : offsets_) bigEndian(offset, 4);
    out.append(6, '\0');
    out += '\x04';  // offset size
    out += '\x04';  // reference size
    bigEndian(offsets_.size(), 8);
    bigEndian(0, 8);
    bigEndian(table, 8);
    return std::move(out);
  }

 private:
  std::vector<std::uint64_t> offsets_;
};

// The same dictionary in the binary form: a dictionary object, then the keys, then the reals.
inline std::string wideBinary(std::uint32_t keys) {
  BinaryPlistWriter w;
  w.begin();
  w.out += "\xDF\x12";  // a dictionary whose count follows as a 4-byte integer
  w.bigEndian(keys, 4);
  for (std::uint32_t i = 0; i < keys; ++i) w.bigEndian(1 + i, 4);
  for (std::uint32_t i = 0; i < keys; ++i) w.bigEndian(1 + keys + i, 4);
  char key[24];
  for (std::uint32_t i = 0; i < keys; ++i) {
    w.begin();
    std::snprintf(key, sizeof key, "setting%06u", i % 1'000'000u);
    w.out += '\x5D';  // an ASCII string of 13 characters
    w.out.append(key, 13);
  }
  for (std::uint32_t i = 0; i < keys; ++i) {
    w.begin();
    w.out += '\x23';  // an 8-byte real
    double value = i + 0.5;
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    w.bigEndian(bits, 8);
  }
  return w.finish();
}

// A binary settings file {"isEnabled": chain} whose chain is `levels` arrays, each holding the next one:
// once, or twice when `shared` (the same object, so the expanded tree doubles at every level).
inline std::string chainedBinarySettings(std::uint32_t levels, bool shared) {
  BinaryPlistWriter w;
  w.begin();
  w.out += '\xD1';  // one key and its value
  w.bigEndian(1, 4);
  w.bigEndian(2, 4);
  w.begin();
  w.out += "\x59isEnabled";
  for (std::uint32_t i = 0; i < levels; ++i) {
    w.begin();
    if (i + 1 == levels) {
      w.out += '\xA0';
      continue;
    }
    w.out += shared ? '\xA2' : '\xA1';
    w.bigEndian(i + 3, 4);
    if (shared) w.bigEndian(i + 3, 4);
  }
  return w.finish();
}

}  // namespace testing_support
