#include "platform/foundation/plist_value.h"

#include <cmath>
#include <limits>

#include "platform/foundation/string_numbers.h"

namespace platform {

std::optional<std::size_t> PlistDict::indexOf(std::string_view key) const {
  if (!index_.empty()) {
    auto it = index_.find(key);
    return it == index_.end() ? std::nullopt : std::optional<std::size_t>(it->second);
  }
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].first == key) return i;
  return std::nullopt;
}

void PlistDict::rebuildIndex() {
  index_.clear();
  if (entries_.size() < kIndexedFrom) return;
  index_.reserve(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) index_.emplace(entries_[i].first, i);
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
  if (!index_.empty()) {
    // One hash for the look-up and the insertion alike.
    auto [it, added] = index_.try_emplace(key, entries_.size());
    if (!added) {
      entries_[it->second].second = std::move(value);
      return;
    }
    entries_.emplace_back(std::move(key), std::move(value));
    return;
  }
  if (auto i = indexOf(key)) {
    entries_[*i].second = std::move(value);
    return;
  }
  entries_.emplace_back(std::move(key), std::move(value));
  if (entries_.size() >= kIndexedFrom) rebuildIndex();
}

bool PlistDict::erase(std::string_view key) {
  auto i = indexOf(key);
  if (!i) return false;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*i));
  // Positions after the erased key moved; erasing from a large dictionary is rare enough to re-index.
  if (!index_.empty()) rebuildIndex();
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
