#include "platform/foundation/binary_plist_shape.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kTrailerSize = 32;

std::optional<std::uint64_t> bigEndian(std::string_view bytes, std::uint64_t at, unsigned width) {
  if (width == 0 || width > 8 || at > bytes.size() || bytes.size() - at < width) return std::nullopt;
  std::uint64_t value = 0;
  for (unsigned i = 0; i < width; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

struct Layout {
  unsigned offsetSize = 0;
  unsigned refSize = 0;
  std::uint64_t objectCount = 0;
  std::uint64_t root = 0;
  std::uint64_t tableOffset = 0;
};

std::optional<Layout> readTrailer(std::string_view bytes) {
  if (bytes.size() < kHeaderSize + kTrailerSize || bytes.substr(0, kHeaderSize) != "bplist00") return std::nullopt;
  const std::uint64_t at = bytes.size() - kTrailerSize;
  Layout layout;
  layout.offsetSize = static_cast<unsigned char>(bytes[at + 6]);
  layout.refSize = static_cast<unsigned char>(bytes[at + 7]);
  auto count = bigEndian(bytes, at + 8, 8), root = bigEndian(bytes, at + 16, 8), table = bigEndian(bytes, at + 24, 8);
  if (!count || !root || !table || layout.offsetSize < 1 || layout.offsetSize > 8 || layout.refSize < 1 ||
      layout.refSize > 8)
    return std::nullopt;
  layout.objectCount = *count;
  layout.root = *root;
  layout.tableOffset = *table;
  if (layout.objectCount == 0 || layout.root >= layout.objectCount || layout.tableOffset < kHeaderSize ||
      layout.tableOffset > at || (at - layout.tableOffset) / layout.offsetSize < layout.objectCount)
    return std::nullopt;
  return layout;
}

// Where an object's references are and how many; none for scalars.
struct Children {
  std::uint64_t first = 0;
  std::uint64_t count = 0;
};

std::optional<Children> childrenOf(std::string_view bytes, const Layout& layout, std::uint64_t object) {
  auto offset = bigEndian(bytes, layout.tableOffset + object * layout.offsetSize, layout.offsetSize);
  if (!offset || *offset < kHeaderSize || *offset >= layout.tableOffset) return std::nullopt;
  const unsigned marker = static_cast<unsigned char>(bytes[*offset]);
  const unsigned type = marker >> 4;
  if (type != 0xA && type != 0xC && type != 0xD) return Children{};
  std::uint64_t count = marker & 0xF;
  std::uint64_t first = *offset + 1;
  if (count == 0xF) {  // the count follows as an integer object
    auto intMarker = bigEndian(bytes, first, 1);
    if (!intMarker || (*intMarker >> 4) != 0x1 || (*intMarker & 0xF) > 3) return std::nullopt;
    const unsigned width = 1u << (*intMarker & 0xF);
    auto extended = bigEndian(bytes, first + 1, width);
    if (!extended) return std::nullopt;
    count = *extended;
    first += 1 + width;
  }
  if (type == 0xD) {
    if (count > UINT64_MAX / 2) return std::nullopt;
    count *= 2;  // keys, then values
  }
  if (first > layout.tableOffset || count > (layout.tableOffset - first) / layout.refSize) return std::nullopt;
  return Children{first, count};
}

enum class Visit : std::uint8_t { New, Open, Done };

struct Frame {
  std::uint64_t object;
  Children children;
  std::uint64_t next = 0;
};

}  // namespace

bool binaryPlistWithinLimits(std::string_view bytes, PlistShapeLimits limits) {
  auto layout = readTrailer(bytes);
  if (!layout) return false;
  // A writer stores each value it reaches once, so a file with more objects than the tree may have values
  // holds nothing a reader would want.
  if (layout->objectCount > limits.maxNodes) return false;
  const auto n = static_cast<std::size_t>(layout->objectCount);
  std::vector<Visit> visit(n, Visit::New);
  std::vector<std::size_t> nodes(n, 0);  // values in each object's expanded tree, saturated at cap
  std::vector<int> height(n, 1);         // levels of values from each object down, itself included
  const std::size_t cap = limits.maxNodes + 1;
  // In a well-formed file no two objects share their reference bytes, so the references seen in all are at
  // most the file's length; more means overlapping objects built to make this walk slow.
  std::uint64_t budget = bytes.size();

  std::vector<Frame> stack;
  auto addChild = [&](std::uint64_t parent, std::uint64_t child) {
    nodes[parent] = std::min(cap, nodes[parent] + nodes[child]);
    height[parent] = std::max(height[parent], height[child] + 1);
    return nodes[parent] <= limits.maxNodes;
  };
  auto open = [&](std::uint64_t object) {
    auto children = childrenOf(bytes, *layout, object);
    if (!children) return false;
    if (stack.size() > static_cast<std::size_t>(limits.maxDepth)) return false;
    visit[object] = Visit::Open;
    nodes[object] = 1;
    stack.push_back({object, *children});
    return true;
  };
  if (!open(layout->root)) return false;
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.children.count) {
      visit[frame.object] = Visit::Done;
      const std::uint64_t done = frame.object;
      stack.pop_back();
      if (!stack.empty() && !addChild(stack.back().object, done)) return false;
      continue;
    }
    if (budget-- == 0) return false;
    auto child = bigEndian(bytes, frame.children.first + frame.next * layout->refSize, layout->refSize);
    ++frame.next;
    if (!child || *child >= layout->objectCount) return false;
    switch (visit[*child]) {
      case Visit::Open:
        return false;  // a cycle
      case Visit::Done:
        // Met before, perhaps higher up: here its levels start deeper.
        if (stack.size() + static_cast<std::size_t>(height[*child]) > static_cast<std::size_t>(limits.maxDepth) + 1)
          return false;
        if (!addChild(frame.object, *child)) return false;
        break;
      case Visit::New:
        if (!open(*child)) return false;
        break;
    }
  }
  return nodes[layout->root] <= limits.maxNodes;
}

}  // namespace platform
