#include "sim/phone/background_queue.h"

#include <algorithm>

namespace sim {

BackgroundQueue::BackgroundQueue(std::size_t mostPending)
    : mostPending_(std::max<std::size_t>(mostPending, 1)), thread_([this] { run(); }) {}

BackgroundQueue::~BackgroundQueue() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BackgroundQueue::post(std::function<void()> task) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return tasks_.size() < mostPending_; });
  tasks_.push_back(std::move(task));
  lock.unlock();
  changed_.notify_all();
}

void BackgroundQueue::drain() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return tasks_.empty() && !busy_; });
}

void BackgroundQueue::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return !tasks_.empty() || stopping_; });
    if (tasks_.empty()) return;  // stopping, and nothing left
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    busy_ = true;
    lock.unlock();
    changed_.notify_all();
    task();
    task = nullptr;  // what it held (frames) goes back before the producer is told
    lock.lock();
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace sim
