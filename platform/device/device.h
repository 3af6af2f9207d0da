#pragma once
// The simulated phone: virtual clock, screen, model identifier, processes and the notification bus.
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include "platform/device/notification_bus.h"
#include "platform/device/process.h"
#include "platform/device/service_slots.h"
#include "platform/foundation/clock.h"
#include "platform/foundation/trace.h"

namespace platform {

struct LogLine {
  Nanos time;
  std::string process;
  std::string text;
};

struct DeviceOptions {
  std::string model = "iPhone10,3";  // what uname's machine field answers
  double screenWidth = 375;          // portrait bounds in points
  double screenHeight = 812;
  double scale = 3;
  // The sensor housing's width at the top edge (0: none) and the status bar's height, in points. Unset,
  // screens 812 points or taller have the X's (209 and 44), others none and a 20-point bar.
  std::optional<double> housingWidth;
  std::optional<double> statusBarHeight;
  std::filesystem::path root;  // file-system root; empty makes a temporary one, removed with the device
};

class Device {
 public:
  explicit Device(DeviceOptions options = {});
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  Clock& clock() { return clock_; }
  Nanos now() const { return clock_.now(); }
  Trace& trace() { return trace_; }
  const Trace& trace() const { return trace_; }
  NotificationBus& bus() { return bus_; }
  const DeviceOptions& options() const { return options_; }
  const std::string& machine() const { return options_.model; }
  double screenWidth() const { return options_.screenWidth; }
  double screenHeight() const { return options_.screenHeight; }
  double screenScale() const { return options_.scale; }
  const std::filesystem::path& root() const { return root_; }

  Process& spawn(std::string name, std::optional<std::string> bundleIdentifier);
  const std::vector<std::unique_ptr<Process>>& processes() const { return processes_; }
  Process* findProcess(std::string_view name) const;

  // Runs every process's due work in time order (ties in the order scheduled) up to t, then moves the
  // clock to t. Answers false when it stopped after maxSteps tasks (work that keeps rescheduling itself).
  bool runUntil(Nanos t, std::size_t maxSteps = 10'000'000);
  bool advance(double seconds) { return runUntil(now() + secondsToNanos(seconds)); }
  bool drain() { return runUntil(now()); }
  // Runs what is due before t and moves the clock to t, leaving what is due at t itself: a look at the
  // device the instant before those tasks (deliveries posted a moment ago, timers firing at t) run.
  bool runBefore(Nanos t) {
    bool finished = t <= 0 || runUntil(t - 1);
    clock_.advanceTo(t);
    return finished;
  }

  // Device-wide state of a platform module, made on first use with the device as its argument.
  template <class T>
  T& service() {
    return services_.template get<T>();
  }

  void log(const Process& process, std::string text);
  const std::deque<LogLine>& logLines() const { return log_; }
  void record(const Process& process, std::string_view kind, PlistDict fields);

 private:
  DeviceOptions options_;
  std::filesystem::path root_;
  bool ownsRoot_ = false;
  Clock clock_;
  std::uint64_t sequence_ = 0;
  Trace trace_;
  NotificationBus bus_;
  std::deque<LogLine> log_;
  std::vector<std::unique_ptr<Process>> processes_;
  ServiceSlots<Device> services_{*this};

  friend class Process;
};

}  // namespace platform
