#pragma once
// One simulated process: its own class registry, main run loop, application object and bundle identifier.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <utility>
#include <vector>

#include "platform/device/service_slots.h"
#include "platform/foundation/plist_value.h"
#include "platform/foundation/run_loop.h"
#include "platform/runtime/runtime.h"

namespace platform {

class Device;

class Process {
 public:
  // Base of loaded libraries, so that a process can find what it has loaded.
  class Library {
   public:
    virtual ~Library() = default;
  };

  Process(Device& device, int pid, std::string name, std::optional<std::string> bundleIdentifier);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  Device& device() const { return device_; }
  int pid() const { return pid_; }
  const std::string& name() const { return name_; }
  // NSBundle mainBundle's identifier; nothing for a process without one.
  const std::optional<std::string>& bundleIdentifier() const { return bundleIdentifier_; }
  rt::Runtime& runtime() { return *runtime_; }
  RunLoop& runLoop() { return runLoop_; }
  Nanos now() const;

  // UIApplication's shared instance, once the process has made one.
  const rt::Id& application() const { return application_; }
  void setApplication(rt::Id app) { application_ = std::move(app); }

  // A phone path such as "/var/mobile/Library/..." inside the device's file-system root.
  std::filesystem::path resolvePath(std::string_view phonePath) const;

  void trace(std::string_view kind, PlistDict fields = {});
  // Whether the trace streams or keeps events: when not, a caller need not build the fields of one.
  bool tracing() const;

  // Per-process state of a platform module, made on first use with the process as its argument.
  template <class T>
  T& service() {
    return services_.template get<T>();
  }

  // A loaded library lives as long as the process.
  template <class T>
  T& load(std::shared_ptr<T> library) {
    T& ref = *library;
    libraries_.push_back(std::move(library));
    return ref;
  }
  template <class T>
  T* findLibrary() const {
    for (const auto& lib : libraries_)
      if (auto* p = dynamic_cast<T*>(lib.get())) return p;
    return nullptr;
  }

 private:
  Device& device_;
  int pid_;
  std::string name_;
  std::optional<std::string> bundleIdentifier_;
  std::unique_ptr<rt::Runtime> runtime_;
  RunLoop runLoop_;
  rt::Id application_;
  ServiceSlots<Process> services_{*this};
  std::vector<std::shared_ptr<Library>> libraries_;
};

}  // namespace platform
