#include "hud/status_color_cache.h"

namespace tarvo {

void StatusColorCache::store(std::string bundle, HSB color) {
  if (auto it = index_.find(bundle); it != index_.end()) {
    it->second->second = color;
    order_.splice(order_.end(), order_, it->second);
    return;
  }
  if (index_.size() >= capacity_) {
    index_.erase(order_.front().first);
    order_.pop_front();
  }
  order_.emplace_back(std::move(bundle), color);
  auto last = std::prev(order_.end());
  index_.emplace(last->first, last);  // the key views the string held by the list node
}

std::optional<StatusColorCache::HSB> StatusColorCache::find(std::string_view bundle) const {
  auto it = index_.find(bundle);
  if (it == index_.end()) return std::nullopt;
  return it->second->second;
}

}  // namespace tarvo
