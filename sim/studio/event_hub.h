#pragma once
// Server-sent events for every open page: the phone's thread publishes, each page's stream takes them
// in order. A page that falls behind loses its oldest messages rather than holding the phone up, and a
// message is kept once however many pages wait for it.
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace sim::studio {

class EventHub {
 public:
  using Message = std::shared_ptr<const std::string>;  // "event: ...\ndata: ...\n\n"

  class Subscription {
   public:
    // Every message waiting, oldest first.
    std::deque<Message> take();
    bool closed() const;

   private:
    friend class EventHub;
    mutable std::mutex mutex_;
    std::deque<Message> queue_;
    bool closed_ = false;
    std::function<void()> wake_;
  };

  // `backlog` is how many messages a page may fall behind.
  explicit EventHub(std::size_t backlog = 256) : backlog_(backlog) {}
  ~EventHub() { close(); }

  // `wake` is called, from the publishing thread and without the hub's locks held, when messages arrive
  // or the hub closes; it must not block.
  std::shared_ptr<Subscription> subscribe(std::function<void()> wake);
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
