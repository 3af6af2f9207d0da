#pragma once
// Server-sent events for every open page: the phone's thread publishes, each page's stream takes them
// in order. A page that falls behind loses its oldest messages rather than holding the phone up.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace sim::studio {

class EventHub {
 public:
  class Subscription {
   public:
    // The next message ("event: ...\ndata: ...\n\n"), or nothing after `wait` or once the hub closed.
    std::optional<std::string> next(std::chrono::milliseconds wait);
    bool closed() const;

   private:
    friend class EventHub;
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::string> queue_;
    bool closed_ = false;
  };

  // `backlog` is how many messages a page may fall behind.
  explicit EventHub(std::size_t backlog = 256) : backlog_(backlog) {}
  ~EventHub() { close(); }

  std::shared_ptr<Subscription> subscribe();
  void unsubscribe(const std::shared_ptr<Subscription>& subscription);
  // `data` is one line of JSON.
  void publish(std::string_view event, std::string_view data);
  std::size_t subscribers() const;
  // Ends every stream.
  void close();

 private:
  std::size_t backlog_;
  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<Subscription>> subscriptions_;
  bool closed_ = false;
};

}  // namespace sim::studio
