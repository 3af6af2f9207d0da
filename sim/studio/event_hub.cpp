#include "sim/studio/event_hub.h"

#include <algorithm>

namespace sim::studio {

std::optional<std::string> EventHub::Subscription::next(std::chrono::milliseconds wait) {
  std::unique_lock lock(mutex_);
  ready_.wait_for(lock, wait, [&] { return closed_ || !queue_.empty(); });
  if (queue_.empty()) return std::nullopt;
  std::string message = std::move(queue_.front());
  queue_.pop_front();
  return message;
}

bool EventHub::Subscription::closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

std::shared_ptr<EventHub::Subscription> EventHub::subscribe() {
  auto subscription = std::make_shared<Subscription>();
  std::lock_guard lock(mutex_);
  subscription->closed_ = closed_;
  subscriptions_.push_back(subscription);
  return subscription;
}

void EventHub::unsubscribe(const std::shared_ptr<Subscription>& subscription) {
  std::lock_guard lock(mutex_);
  std::erase(subscriptions_, subscription);
}

void EventHub::publish(std::string_view event, std::string_view data) {
  std::string message = "event: ";
  message.append(event).append("\ndata: ").append(data).append("\n\n");
  std::lock_guard lock(mutex_);
  for (const auto& s : subscriptions_) {
    {
      std::lock_guard inner(s->mutex_);
      if (s->queue_.size() >= backlog_) s->queue_.pop_front();
      s->queue_.push_back(message);
    }
    s->ready_.notify_one();
  }
}

std::size_t EventHub::subscribers() const {
  std::lock_guard lock(mutex_);
  return subscriptions_.size();
}

void EventHub::close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  for (const auto& s : subscriptions_) {
    {
      std::lock_guard inner(s->mutex_);
      s->closed_ = true;
    }
    s->ready_.notify_all();
  }
}

}  // namespace sim::studio
