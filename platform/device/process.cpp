#include "platform/device/process.h"

#include "platform/device/device.h"
#include "platform/device/foundation_classes.h"

namespace platform {

Process::Process(Device& device, int pid, std::string name, std::optional<std::string> bundleIdentifier)
    : device_(device),
      pid_(pid),
      name_(std::move(name)),
      bundleIdentifier_(std::move(bundleIdentifier)),
      runtime_(std::make_unique<rt::Runtime>(this)),
      runLoop_(device.clock_, device.sequence_) {
  registerFoundationClasses(*runtime_);
}

Process::~Process() {
  // Libraries and services hold objects of this runtime: let them go first, newest first.
  libraries_.clear();
  application_.reset();
  services_.clear();
}

Nanos Process::now() const { return device_.now(); }

std::filesystem::path Process::resolvePath(std::string_view phonePath) const {
  // Lexically normalised, so ".." can never leave the device's root.
  std::filesystem::path relative = std::filesystem::path(phonePath).relative_path().lexically_normal();
  std::filesystem::path result = device_.root();
  for (const auto& part : relative) {
    if (part == "..") {
      if (result != device_.root()) result = result.parent_path();
    } else if (part != ".") {
      result /= part;
    }
  }
  return result;
}

void Process::trace(std::string_view kind, PlistDict fields) { device_.record(*this, kind, std::move(fields)); }

bool Process::tracing() const { return device_.trace().wanted(); }

}  // namespace platform
