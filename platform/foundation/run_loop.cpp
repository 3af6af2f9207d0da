#include "platform/foundation/run_loop.h"

namespace platform {

RunLoop::Key RunLoop::schedule(Nanos due, Task task) {
  // Work is never scheduled in the past: it runs no earlier than now.
  Key key{due < clock_.now() ? clock_.now() : due, ++sequence_};
  tasks_.emplace(key, std::move(task));
  return key;
}

std::optional<RunLoop::Key> RunLoop::next() const {
  if (tasks_.empty()) return std::nullopt;
  return tasks_.begin()->first;
}

void RunLoop::runNext() {
  if (tasks_.empty()) return;
  auto node = tasks_.extract(tasks_.begin());
  node.mapped()();
}

}  // namespace platform
