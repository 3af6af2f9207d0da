#include "platform/foundation/plist_file.h"

#include "platform/foundation/binary_plist_shape.h"
#include "platform/foundation/plist_xml_reader.h"

#include <plist/plist.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>

namespace platform {

namespace {

struct NodeDeleter {
  void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

constexpr int kMaxDepth = 256;  // deeper nesting is treated as malformed, never as a stack overflow
// The binary form may share one object among many places; this many values in the expanded tree is far
// beyond any settings file and still read in well under a second.
constexpr std::size_t kMaxBinaryNodes = std::size_t{1} << 20;

std::optional<PlistValue> fromNode(plist_t node, int depth);

std::optional<PlistValue> fromDict(plist_t node, int depth) {
  PlistDict dict;
  plist_dict_iter it = nullptr;
  plist_dict_new_iter(node, &it);
  if (!it) return PlistValue(std::move(dict));
  for (;;) {
    char* key = nullptr;
    plist_t child = nullptr;
    plist_dict_next_item(node, it, &key, &child);
    if (!child) {
      std::free(key);
      break;
    }
    auto value = fromNode(child, depth + 1);
    if (value && key) dict.set(key, std::move(*value));
    std::free(key);
    if (!value) {
      std::free(it);
      return std::nullopt;
    }
  }
  std::free(it);
  return PlistValue(std::move(dict));
}

std::optional<PlistValue> fromNode(plist_t node, int depth) {
  if (depth > kMaxDepth) return std::nullopt;
  switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
      uint8_t b = 0;
      plist_get_bool_val(node, &b);
      return PlistValue(b != 0);
    }
    case PLIST_UINT: {
      // Stored as 64 bits; negative integers come back as their two's complement.
      uint64_t u = 0;
      plist_get_uint_val(node, &u);
      return PlistValue(static_cast<std::int64_t>(u));
    }
    case PLIST_REAL: {
      double d = 0;
      plist_get_real_val(node, &d);
      return PlistValue(d);
    }
    case PLIST_STRING: {
      // The XML reader keeps NUL bytes inside strings, which libplist's copying getter asserts on.
      uint64_t length = 0;
      const char* s = plist_get_string_ptr(node, &length);
      return PlistValue(s ? std::string(s, length) : std::string());
    }
    case PLIST_DATA: {
      uint64_t length = 0;
      const char* bytes = plist_get_data_ptr(node, &length);
      PlistData data;
      if (bytes) data.bytes.assign(bytes, bytes + length);
      return PlistValue(std::move(data));
    }
    case PLIST_DATE: {
      int32_t sec = 0, usec = 0;
      plist_get_date_val(node, &sec, &usec);
      return PlistValue(PlistDate{sec + usec / 1e6});
    }
    case PLIST_ARRAY: {
      PlistArray array;
      uint32_t n = plist_array_get_size(node);
      for (uint32_t i = 0; i < n; ++i) {
        auto value = fromNode(plist_array_get_item(node, i), depth + 1);
        if (!value) return std::nullopt;
        array.push_back(std::move(*value));
      }
      return PlistValue(std::move(array));
    }
    case PLIST_DICT:
      return fromDict(node, depth);
    default:  // keys, UIDs and anything unknown: not a value of a settings file
      return std::nullopt;
  }
}

plist_t toNode(const PlistValue& value);

plist_t toNode(const PlistDict& dict) {
  plist_t node = plist_new_dict();
  for (const auto& [k, v] : dict) plist_dict_set_item(node, k.c_str(), toNode(v));
  return node;
}

plist_t toNode(const PlistValue& value) {
  return std::visit(
      [](const auto& v) -> plist_t {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, bool>) return plist_new_bool(v);
        else if constexpr (std::is_same_v<T, std::int64_t>) return plist_new_uint(static_cast<uint64_t>(v));
        else if constexpr (std::is_same_v<T, double>) return plist_new_real(v);
        else if constexpr (std::is_same_v<T, std::string>) return plist_new_string(v.c_str());
        else if constexpr (std::is_same_v<T, PlistData>)
          return plist_new_data(reinterpret_cast<const char*>(v.bytes.data()), v.bytes.size());
        else if constexpr (std::is_same_v<T, PlistDate>) {
          // A date from elsewhere than a file may lie outside what a file stores: the nearest end.
          double seconds = std::isnan(v.secondsSinceReferenceDate) ? 0.0 : v.secondsSinceReferenceDate;
          seconds = std::clamp(seconds, PlistDate::kEarliest, PlistDate::kLatest);
          double whole = std::floor(seconds);
          return plist_new_date(static_cast<int32_t>(whole),
                                static_cast<int32_t>((seconds - whole) * 1e6));
        } else if constexpr (std::is_same_v<T, PlistArray>) {
          plist_t node = plist_new_array();
          for (const auto& item : v) plist_array_append_item(node, toNode(item));
          return node;
        } else {
          return toNode(v);
        }
      },
      value.storage);
}

}  // namespace

std::optional<PlistDict> parsePlistDictionary(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > UINT32_MAX) return std::nullopt;
  std::optional<PlistValue> value;
  if (bytes.starts_with("bplist00")) {
    // libplist builds the tree recursively: only a graph known to be shallow and small is handed to it.
    if (!binaryPlistWithinLimits(bytes, {kMaxDepth, kMaxBinaryNodes})) return std::nullopt;
    plist_t root = nullptr;
    plist_from_bin(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    if (!root) return std::nullopt;
    Node owner(root);
    if (plist_get_node_type(root) != PLIST_DICT) return std::nullopt;
    value = fromNode(root, 0);
  } else {
    // Our own reader: libplist's XML parser recurses per level and looks up every key of a dictionary
    // by a linear scan, so a deep or wide file would crash or stall the shell.
    value = readXmlPlist(bytes, kMaxDepth);
  }
  if (!value || !value->asDict()) return std::nullopt;
  return std::move(std::get<PlistDict>(value->storage));
}

std::optional<PlistDict> readPlistDictionary(const std::filesystem::path& path) {
  // Only a regular file of a sensible size: a directory makes the stream throw, and a FIFO or a device in
  // the settings file's place would block or never end.
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::is_regular_file(status)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxPlistFileBytes) return std::nullopt;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || bytes.size() > kMaxPlistFileBytes) return std::nullopt;
    return parsePlistDictionary(bytes);
  } catch (const std::exception&) {
    return std::nullopt;  // replaced by something unreadable between the checks and the read
  }
}

std::string serializePlist(const PlistDict& dict, PlistFormat format) {
  return serializePlist(PlistValue(dict), format);
}

std::string serializePlist(const PlistValue& value, PlistFormat format) {
  Node root(toNode(value));
  char* out = nullptr;
  uint32_t length = 0;
  if (format == PlistFormat::Xml) plist_to_xml(static_cast<plist_t>(root.get()), &out, &length);
  else plist_to_bin(static_cast<plist_t>(root.get()), &out, &length);
  std::string bytes(out ? out : "", out ? length : 0);
  std::free(out);
  return bytes;
}

bool writePlistDictionary(const std::filesystem::path& path, const PlistDict& dict, PlistFormat format) {
  return writeFileAtomically(path, serializePlist(dict, format));
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  auto temp = path;
  temp += ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  std::filesystem::rename(temp, path, ec);
  return !ec;
}

}  // namespace platform
