#include "platform/foundation/plist_value.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "platform/foundation/string_numbers.h"

namespace platform {

namespace {
std::size_t hashOf(std::string_view key) { return std::hash<std::string_view>{}(key); }
}  // namespace

std::optional<std::size_t> PlistDict::indexOf(std::string_view key) const {
  if (!slots_.empty()) {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hashOf(key) & mask;; at = (at + 1) & mask) {
      if (slots_[at] == 0) return std::nullopt;
      if (entries_[slots_[at] - 1].first == key) return slots_[at] - 1;
    }
  }
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].first == key) return i;
  return std::nullopt;
}

void PlistDict::indexEntry(std::size_t entry) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = hashOf(entries_[entry].first) & mask;
  while (slots_[at] != 0) at = (at + 1) & mask;
  slots_[at] = static_cast<std::uint32_t>(entry + 1);
}

void PlistDict::rebuildIndex() {
  slots_.clear();
  reserve(entries_.size());  // no index while small
}

const PlistValue* PlistDict::find(std::string_view key) const {
  auto i = indexOf(key);
  return i ? &entries_[*i].second : nullptr;
}

PlistValue* PlistDict::find(std::string_view key) {
  auto i = indexOf(key);
  return i ? &entries_[*i].second : nullptr;
}

void PlistDict::set(std::string key, PlistValue value) {
  if (auto i = indexOf(key)) {
    entries_[*i].second = std::move(value);
    return;
  }
  // Positions are kept in 32 bits; a dictionary that large is refused by every reader long before.
  if (entries_.size() >= std::numeric_limits<std::uint32_t>::max() - 1) throw std::length_error("dictionary too large");
  // Most dictionaries are a trace event's or a notification's few fields: start with room for four rather
  // than grow through one, two and four.
  if (entries_.capacity() == 0) entries_.reserve(kFirstCapacity);
  entries_.emplace_back(std::move(key), std::move(value));
  if (slots_.empty() || 2 * entries_.size() > slots_.size()) {
    if (entries_.size() >= kIndexedFrom) rebuildIndex();
  } else {
    indexEntry(entries_.size() - 1);
  }
}

void PlistDict::reserve(std::size_t keys) {
  entries_.reserve(keys);
  // The index too, so that filling the dictionary never indexes it again; none while it is small.
  if (keys < kIndexedFrom || 2 * keys <= slots_.size()) return;
  std::size_t size = 2 * kIndexedFrom;  // at most half full, a power of two
  while (size < 2 * keys) size *= 2;
  slots_.assign(size, 0);
  for (std::size_t i = 0; i < entries_.size(); ++i) indexEntry(i);
}

bool PlistDict::erase(std::string_view key) {
  auto i = indexOf(key);
  if (!i) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*i));
  // Positions after the erased key moved; erasing from a large dictionary is rare enough to re-index.
  if (!slots_.empty()) rebuildIndex();
  return true;
}

bool PlistDict::operator==(const PlistDict& other) const {
  if (size() != other.size()) return false;
  for (const auto& [k, v] : entries_) {
    const PlistValue* o = other.find(k);
    if (!o || !(*o == v)) return false;
  }
  return true;
}

bool PlistValue::isNumber() const {
  return std::holds_alternative<bool>(storage) || std::holds_alternative<std::int64_t>(storage) ||
         std::holds_alternative<double>(storage);
}

float nearestFloat(double d) {
  constexpr double kMax = std::numeric_limits<float>::max();
  // Half a unit in the last place above FLT_MAX: the rounding midpoint towards 2^128.
  const double midpoint = kMax + std::ldexp(1.0, 103);
  if (std::isfinite(d) && std::fabs(d) > kMax) {
    const float inf = std::numeric_limits<float>::infinity();
    if (std::fabs(d) >= midpoint) return d > 0 ? inf : -inf;
    return d > 0 ? static_cast<float>(kMax) : -static_cast<float>(kMax);
  }
  return static_cast<float>(d);
}

std::optional<double> PlistValue::doubleValue() const {
  if (auto* b = std::get_if<bool>(&storage)) return *b ? 1.0 : 0.0;
  if (auto* i = std::get_if<std::int64_t>(&storage)) return static_cast<double>(*i);
  if (auto* d = std::get_if<double>(&storage)) return *d;
  if (auto* s = std::get_if<std::string>(&storage)) return leadingDouble(*s);
  return std::nullopt;
}

std::optional<float> PlistValue::floatValue() const {
  auto d = doubleValue();
  if (!d) return std::nullopt;
  return nearestFloat(*d);
}

std::optional<bool> PlistValue::boolValue() const {
  if (auto* b = std::get_if<bool>(&storage)) return *b;
  if (auto* i = std::get_if<std::int64_t>(&storage)) return *i != 0;
  if (auto* d = std::get_if<double>(&storage)) return *d != 0.0;  // NaN counts as non-zero
  if (auto* s = std::get_if<std::string>(&storage)) return leadingBool(*s);
  return std::nullopt;
}

std::optional<int> PlistValue::intValue() const {
  constexpr auto lo = std::numeric_limits<int>::min();
  constexpr auto hi = std::numeric_limits<int>::max();
  if (auto* b = std::get_if<bool>(&storage)) return *b ? 1 : 0;
  if (auto* i = std::get_if<std::int64_t>(&storage)) return static_cast<int>(*i < lo ? lo : *i > hi ? hi : *i);
  if (auto* d = std::get_if<double>(&storage)) {
    if (std::isnan(*d)) return 0;
    double t = std::trunc(*d);
    return t <= lo ? lo : t >= hi ? hi : static_cast<int>(t);
  }
  if (auto* s = std::get_if<std::string>(&storage)) return leadingInt(*s);
  return std::nullopt;
}

std::optional<double> numberForKey(const PlistDict& dict, std::string_view key) {
  const PlistValue* v = dict.find(key);
  return v && v->isNumber() ? v->doubleValue() : std::nullopt;
}

const std::string* stringForKey(const PlistDict& dict, std::string_view key) {
  const PlistValue* v = dict.find(key);
  return v ? v->asString() : nullptr;
}

}  // namespace platform
