#pragma once
// One worker thread running tasks in the order they were queued. Queueing waits while the queue is full, so
// a fast producer cannot pile up work (and the frames the tasks hold) without bound.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace sim {

class BackgroundQueue {
 public:
  explicit BackgroundQueue(std::size_t mostPending);
  // Runs what is still queued, then ends the thread.
  ~BackgroundQueue();
  BackgroundQueue(const BackgroundQueue&) = delete;
  BackgroundQueue& operator=(const BackgroundQueue&) = delete;

  // A task must not throw.
  void post(std::function<void()> task);
  // Returns once every task queued so far has run.
  void drain();

 private:
  void run();

  std::size_t mostPending_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> tasks_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace sim
