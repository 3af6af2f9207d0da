#include "sim/observe/trace_tally.h"

#include <algorithm>

namespace sim {

TraceTally::TraceTally(const Scenario& scenario) {
  for (const Step& step : scenario.steps) {
    Watch watch;
    if (const auto* count = std::get_if<ExpectCount>(&step.command))
      watch.count = count;
    else if (const auto* order = std::get_if<ExpectOrder>(&step.command))
      watch.order = order;
    else
      continue;
    std::size_t index = watches_.size();
    watches_.push_back(watch);
    byStep_.emplace(&step, index);
    if (watch.count) {
      open_[watch.count->pattern.kind].push_back(index);
    } else {
      open_[watch.order->earlier.kind].push_back(index);
      if (watch.order->later.kind != watch.order->earlier.kind) open_[watch.order->later.kind].push_back(index);
    }
  }
}

void TraceTally::observe(const platform::TraceEvent& event) {
  std::size_t place = observed_++;
  auto found = open_.find(event.kind);
  if (found == open_.end()) return;
  for (std::size_t index : found->second) {
    Watch& watch = watches_[index];
    if (watch.count) {
      if (inWindow(watch.count->window, event.time) && eventMatches(watch.count->pattern, event)) ++watch.matched;
      continue;
    }
    if (!inWindow(watch.order->window, event.time)) continue;
    if (!watch.outcome.earlier && eventMatches(watch.order->earlier, event)) watch.outcome.earlier = place;
    if (!watch.outcome.later && eventMatches(watch.order->later, event)) watch.outcome.later = place;
  }
}

std::optional<std::size_t> TraceTally::close(const Step& step) {
  auto found = byStep_.find(&step);
  if (found == byStep_.end()) return std::nullopt;
  std::size_t index = found->second;
  auto stopWatching = [&](const std::string& kind) {
    auto bucket = open_.find(kind);
    if (bucket == open_.end()) return;
    auto at = std::find(bucket->second.begin(), bucket->second.end(), index);
    if (at != bucket->second.end()) bucket->second.erase(at);
    if (bucket->second.empty()) open_.erase(bucket);
  };
  const Watch& watch = watches_[index];
  if (watch.count) {
    stopWatching(watch.count->pattern.kind);
  } else {
    stopWatching(watch.order->earlier.kind);
    stopWatching(watch.order->later.kind);
  }
  return index;
}

std::optional<std::size_t> TraceTally::closeCount(const Step& step) {
  auto index = close(step);
  if (!index || !watches_[*index].count) return std::nullopt;
  return watches_[*index].matched;
}

std::optional<OrderOutcome> TraceTally::closeOrder(const Step& step) {
  auto index = close(step);
  if (!index || !watches_[*index].order) return std::nullopt;
  return watches_[*index].outcome;
}

}  // namespace sim
