#pragma once
// statusColors: the status bar colour of each app, by bundle identifier, as hue, saturation and brightness.
//
// Any process may post a colour for any bundle identifier, so the cache is bounded: past the capacity the
// entry stored longest ago goes. A phone's real number of apps never reaches it.
#include <array>
#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarvo {

class StatusColorCache {
 public:
  using HSB = std::array<float, 3>;
  static constexpr std::size_t kCapacity = 1024;

  explicit StatusColorCache(std::size_t capacity = kCapacity) : capacity_(capacity ? capacity : 1) {}

  // Adds or replaces the entry; a replaced entry counts as stored now.
  void store(std::string bundle, HSB color);
  std::optional<HSB> find(std::string_view bundle) const;
  std::size_t size() const { return index_.size(); }
  std::size_t capacity() const { return capacity_; }
  // Oldest first.
  const std::list<std::pair<std::string, HSB>>& entries() const { return order_; }

 private:
  std::size_t capacity_;
  std::list<std::pair<std::string, HSB>> order_;
  std::unordered_map<std::string_view, std::list<std::pair<std::string, HSB>>::iterator> index_;
};

}  // namespace tarvo
