#include "sim/studio/event_hub.h"

#include <algorithm>
#include <utility>

namespace sim::studio {

std::deque<EventHub::Message> EventHub::Subscription::take() {
  std::lock_guard lock(mutex_);
  return std::exchange(queue_, {});
}

bool EventHub::Subscription::closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

std::shared_ptr<EventHub::Subscription> EventHub::subscribe(std::function<void()> wake) {
  auto subscription = std::make_shared<Subscription>();
  subscription->wake_ = std::move(wake);
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
  std::string text = "event: ";
  text.append(event).append("\ndata: ").append(data).append("\n\n");
  auto message = std::make_shared<const std::string>(std::move(text));
  std::vector<std::shared_ptr<Subscription>> woken;
  {
    std::lock_guard lock(mutex_);
    for (const auto& s : subscriptions_) {
      std::lock_guard inner(s->mutex_);
      if (s->queue_.size() >= backlog_) s->queue_.pop_front();
      s->queue_.push_back(message);
      // One wake per batch: a stream that has not taken its messages yet will take this one with them.
      if (s->queue_.size() == 1) woken.push_back(s);
    }
  }
  for (const auto& s : woken)
    if (s->wake_) s->wake_();
}

std::size_t EventHub::subscribers() const {
  std::lock_guard lock(mutex_);
  return subscriptions_.size();
}

void EventHub::close() {
  std::vector<std::shared_ptr<Subscription>> woken;
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
    for (const auto& s : subscriptions_) {
      std::lock_guard inner(s->mutex_);
      s->closed_ = true;
      woken.push_back(s);
    }
  }
  for (const auto& s : woken)
    if (s->wake_) s->wake_();
}

}  // namespace sim::studio
