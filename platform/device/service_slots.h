#pragma once
// Per-owner state of the platform modules above the device layer: one object per type, made on first use
// with the owner as its argument, and let go newest first.
#include <memory>
#include <typeinfo>
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
    // Every library sees one type_info object per type, so its address finds the slot without comparing
    // names; the names are compared only for a copy another library might hold.
    for (auto& [type, ptr] : slots_)
      if (type == &typeid(T)) return *static_cast<T*>(ptr.get());
    for (auto& [type, ptr] : slots_)
      if (*type == typeid(T)) return *static_cast<T*>(ptr.get());
    auto made = std::make_shared<T>(owner_);
    T& ref = *made;
    slots_.emplace_back(&typeid(T), std::move(made));
    return ref;
  }

  void clear() {
    while (!slots_.empty()) slots_.pop_back();
  }

 private:
  Owner& owner_;
  std::vector<std::pair<const std::type_info*, std::shared_ptr<void>>> slots_;
};

}  // namespace platform
