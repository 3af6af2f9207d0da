#pragma once
// What a scenario's trace expectations need of the trace, gathered as the trace streams, so that no event
// has to stay in memory: for each `expect count` the matching events in its window so far, for each
// `expect order` where each pattern first matched. Memory follows the number of those expectations, not the
// length of the trace.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/foundation/trace.h"
#include "sim/scenario/matching.h"
#include "sim/scenario/scenario.h"

namespace sim {

class TraceTally {
 public:
  // Watches for every `expect count` and `expect order` step of the scenario, which must outlive it.
  explicit TraceTally(const Scenario& scenario);

  bool empty() const { return watches_.empty(); }
  void observe(const platform::TraceEvent& event);

  // What the step's expectation found among the events observed so far; the step stops watching.
  // Nothing for a step the tally does not watch.
  std::optional<std::size_t> closeCount(const Step& step);
  std::optional<OrderOutcome> closeOrder(const Step& step);

 private:
  struct Watch {
    const ExpectCount* count = nullptr;
    const ExpectOrder* order = nullptr;
    std::size_t matched = 0;
    OrderOutcome outcome;  // indexes are the events' places in the order they were recorded
  };
  std::optional<std::size_t> close(const Step& step);

  std::vector<Watch> watches_;
  std::unordered_map<const Step*, std::size_t> byStep_;
  // Open watches by the event kind they look for, in the order of their steps: steps close in that order,
  // so the one closing is at the front.
  std::unordered_map<std::string, std::deque<std::size_t>> open_;
  std::size_t observed_ = 0;
};

}  // namespace sim
