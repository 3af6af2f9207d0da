#pragma once
// A process's main run loop: work due at virtual times, run by the device in time order.
#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "platform/foundation/clock.h"

namespace platform {

class RunLoop {
 public:
  using Task = std::function<void()>;
  struct Key {
    Nanos due = 0;
    std::uint64_t sequence = 0;  // device-wide, so ties between processes keep the order of scheduling
    auto operator<=>(const Key&) const = default;
  };

  RunLoop(Clock& clock, std::uint64_t& sequence) : clock_(clock), sequence_(sequence) {}

  Key schedule(Nanos due, Task task);
  // The next turn of the run loop: after everything already due now.
  Key performSoon(Task task) { return schedule(clock_.now(), std::move(task)); }
  bool cancel(const Key& key) { return tasks_.erase(key) > 0; }

  std::optional<Key> next() const;
  // Runs the earliest task; the device has moved the clock to its due time.
  void runNext();
  std::size_t pending() const { return tasks_.size(); }
  Nanos now() const { return clock_.now(); }

 private:
  Clock& clock_;
  std::uint64_t& sequence_;
  std::map<Key, Task> tasks_;
};

}  // namespace platform
