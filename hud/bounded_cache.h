#pragma once
// A small cache of at most `capacity` entries, found by equality; past the capacity the entry used longest
// ago goes. Linear look-up: the HUD's caches hold a few dozen entries, where a scan beats hashing.
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace tarvo {

template <class Key, class Value>
class BoundedCache {
 public:
  explicit BoundedCache(std::size_t capacity) : capacity_(capacity ? capacity : 1) {}

  // The value under `key`, made with `make()` and kept when it is not there yet.
  template <class Make>
  const Value& findOrMake(const Key& key, Make&& make) {
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == key; });
    if (it != entries_.end()) {
      // Most recently used last; the front is the next to go.
      std::rotate(it, it + 1, entries_.end());
      return entries_.back().second;
    }
    Value value = make();
    if (entries_.size() >= capacity_) entries_.erase(entries_.begin());
    entries_.emplace_back(key, std::move(value));
    return entries_.back().second;
  }

  std::size_t size() const { return entries_.size(); }
  std::size_t capacity() const { return capacity_; }
  void clear() { entries_.clear(); }

 private:
  std::size_t capacity_;
  std::vector<std::pair<Key, Value>> entries_;
};

}  // namespace tarvo
