#include "platform/device/device.h"

#include <stdlib.h>

#include <system_error>

namespace platform {

namespace {
constexpr std::size_t kLogLinesKept = 10'000;
}

Device::Device(DeviceOptions options) : options_(std::move(options)), bus_(*this) {
  if (options_.root.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvo12-device-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::system_error(errno, std::generic_category(), "mkdtemp");
    root_ = pattern;
    ownsRoot_ = true;
  } else {
    root_ = std::filesystem::absolute(options_.root);
    std::filesystem::create_directories(root_);
  }
}

Device::~Device() {
  bus_.clear();
  while (!processes_.empty()) processes_.pop_back();
  services_.clear();
  if (ownsRoot_) {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
}

Process& Device::spawn(std::string name, std::optional<std::string> bundleIdentifier) {
  int pid = 100 + static_cast<int>(processes_.size());
  processes_.push_back(std::make_unique<Process>(*this, pid, std::move(name), std::move(bundleIdentifier)));
  return *processes_.back();
}

Process* Device::findProcess(std::string_view name) const {
  for (const auto& p : processes_)
    if (p->name() == name) return p.get();
  return nullptr;
}

bool Device::runUntil(Nanos t, std::size_t maxSteps) {
  for (std::size_t steps = 0;; ++steps) {
    Process* earliest = nullptr;
    RunLoop::Key best;
    for (const auto& p : processes_) {
      auto key = p->runLoop().next();
      if (key && key->due <= t && (!earliest || *key < best)) {
        earliest = p.get();
        best = *key;
      }
    }
    if (!earliest) break;
    if (steps == maxSteps) return false;
    clock_.advanceTo(best.due);
    earliest->runLoop().runNext();
  }
  clock_.advanceTo(t);
  return true;
}

void Device::log(const Process& process, std::string text) {
  record(process, "log", [&] {
    PlistDict f;
    f.set("message", text);
    return f;
  }());
  if (log_.size() >= kLogLinesKept) log_.pop_front();
  log_.push_back({now(), process.name(), std::move(text)});
}

void Device::record(const Process& process, std::string_view kind, PlistDict fields) {
  if (!trace_.wanted()) return trace_.skipped();
  trace_.record(TraceEvent{now(), process.name(), std::string(kind), std::move(fields)});
}

}  // namespace platform
