#pragma once
// Property-list values: what settings files hold and what notifications carry.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace platform {

struct PlistValue;

// Keys keep the order in which they were added (the trace and the file writer show them so); look-ups are
// by exact key. Past a handful of keys an index answers look-ups, so that a dictionary of any size is built
// in linear time: a settings file or a payload with a hundred thousand keys must not stall the shell.
class PlistDict {
 public:
  using Entry = std::pair<std::string, PlistValue>;

  const PlistValue* find(std::string_view key) const;
  PlistValue* find(std::string_view key);
  bool contains(std::string_view key) const { return find(key) != nullptr; }
  // setObject:forKey: replaces an existing value in place.
  void set(std::string key, PlistValue value);
  bool erase(std::string_view key);
  std::size_t size() const;
  bool empty() const;
  std::vector<Entry>::const_iterator begin() const;
  std::vector<Entry>::const_iterator end() const;
  bool operator==(const PlistDict& other) const;
  // Room for this many keys without growing.
  void reserve(std::size_t keys);

 private:
  static constexpr std::size_t kFirstCapacity = 4;
  static constexpr std::size_t kIndexedFrom = 16;  // a scan of fewer keys is as fast as a hash
  std::optional<std::size_t> indexOf(std::string_view key) const;
  void rebuildIndex();
  void indexEntry(std::size_t entry);

  std::vector<Entry> entries_;
  // Open addressing over the entries themselves: a slot holds an entry's position plus one (zero is free),
  // so the index costs one allocation, copies as one block and holds no second copy of any key. Empty while
  // small; otherwise at most half full, its size a power of two.
  std::vector<std::uint32_t> slots_;
};

using PlistArray = std::vector<PlistValue>;
struct PlistData {
  std::vector<std::uint8_t> bytes;
  bool operator==(const PlistData&) const = default;
};
struct PlistDate {
  // What a property-list file stores: whole seconds in 32 bits, either side of the reference date.
  static constexpr double kEarliest = -2147483648.0;
  static constexpr double kLatest = 2147483647.0;
  double secondsSinceReferenceDate = 0;  // since 2001-01-01, as the platform counts
  bool operator==(const PlistDate&) const = default;
};

struct PlistValue {
  using Storage = std::variant<bool, std::int64_t, double, std::string, PlistData, PlistDate, PlistArray, PlistDict>;
  Storage storage;

  PlistValue() : storage(false) {}
  PlistValue(bool b) : storage(b) {}
  PlistValue(int i) : storage(std::int64_t{i}) {}
  PlistValue(std::int64_t i) : storage(i) {}
  PlistValue(float f) : storage(double{f}) {}  // numberWithFloat: widens exactly
  PlistValue(double d) : storage(d) {}
  PlistValue(const char* s) : storage(std::string(s)) {}
  PlistValue(std::string s) : storage(std::move(s)) {}
  PlistValue(PlistData d) : storage(std::move(d)) {}
  PlistValue(PlistDate d) : storage(d) {}
  PlistValue(PlistArray a) : storage(std::move(a)) {}
  PlistValue(PlistDict d) : storage(std::move(d)) {}

  bool isNumber() const;  // booleans, integers and reals are all numbers, as NSNumber boxes them
  const std::string* asString() const { return std::get_if<std::string>(&storage); }
  const PlistDict* asDict() const { return std::get_if<PlistDict>(&storage); }
  const PlistArray* asArray() const { return std::get_if<PlistArray>(&storage); }

  // NSNumber's conversions for numbers, NSString's for strings (the leading number; 0 or NO when there is
  // none); data, dates, arrays and dictionaries answer nothing.
  std::optional<bool> boolValue() const;
  std::optional<int> intValue() const;  // truncated toward zero, saturating at the int range
  std::optional<float> floatValue() const;  // the nearest single-precision value
  std::optional<double> doubleValue() const;

  bool operator==(const PlistValue& other) const { return storage == other.storage; }
};

inline std::size_t PlistDict::size() const { return entries_.size(); }
inline bool PlistDict::empty() const { return entries_.empty(); }
inline std::vector<PlistDict::Entry>::const_iterator PlistDict::begin() const { return entries_.begin(); }
inline std::vector<PlistDict::Entry>::const_iterator PlistDict::end() const { return entries_.end(); }

// The nearest single-precision value, as a C cast rounds: beyond FLT_MAX only from the midpoint to the
// next power of two (FLT_MAX + 2^103) on does a value become infinite.
float nearestFloat(double d);

// Helpers for the common "value under key, as a number" reads; nothing when absent or not a number.
std::optional<double> numberForKey(const PlistDict& dict, std::string_view key);
const std::string* stringForKey(const PlistDict& dict, std::string_view key);

}  // namespace platform
