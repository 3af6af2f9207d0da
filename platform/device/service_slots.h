#pragma once
// Per-owner state of the platform modules above the device layer: one object per type, made on first use
// with the owner as its argument, and let go newest first.
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

namespace platform {

template <class Owner>
class ServiceSlots {
 public:
  explicit ServiceSlots(Owner& owner) : owner_(owner) {}
  ServiceSlots(const ServiceSlots&) = delete;
  ServiceSlots& operator=(const ServiceSlots&) = delete;
  ~ServiceSlots() { clear(); }

  template <class T>
  T& get() {
    for (auto& [type, ptr] : slots_)
      if (type == typeid(T)) return *static_cast<T*>(ptr.get());
    auto made = std::make_shared<T>(owner_);
    T& ref = *made;
    slots_.emplace_back(typeid(T), std::move(made));
    return ref;
  }

  void clear() {
    while (!slots_.empty()) slots_.pop_back();
  }

 private:
  Owner& owner_;
  std::vector<std::pair<std::type_index, std::shared_ptr<void>>> slots_;
};

}  // namespace platform
