#pragma once
// The device-wide distributed notification bus behind both forms of the distributed centre.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/plist_value.h"

namespace platform {

class Device;
class Process;

struct Notification {
  std::string name;
  std::shared_ptr<const PlistDict> userInfo;  // nullptr when posted without one; the object is always nil
};

enum class CenterForm { CF, NS };

class NotificationBus {
 public:
  using Handler = std::function<void(const Notification&)>;

  explicit NotificationBus(Device& device) : device_(device) {}

  // Observers are never removed by the system; the bus lets them go with the device.
  void addObserver(Process& process, std::string name, CenterForm form, int suspensionBehavior, Handler handler);

  // Copies the payload and delivers it, asynchronously, to every observer of the name in every process
  // (the poster included), each on its own main run loop.
  void post(Process& poster, std::string_view name, const PlistDict* userInfo, CenterForm form,
            bool deliverImmediately);

  std::size_t observerCount(std::string_view name) const;
  void clear() { observers_.clear(); }

 private:
  struct Observer {
    Process* process;
    std::string name;
    CenterForm form;
    int suspensionBehavior;
    std::shared_ptr<Handler> handler;
  };
  Device& device_;
  std::vector<Observer> observers_;
};

}  // namespace platform
