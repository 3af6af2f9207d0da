#include "sim/output_directory.h"

#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "platform/device/device.h"

namespace sim {

OutputDirectory::OutputDirectory(std::filesystem::path dir) : dir_(std::move(dir)) {
  std::error_code ec;
  std::filesystem::create_directories(dir_ / "frames", ec);
  if (ec) throw std::runtime_error("cannot create " + (dir_ / "frames").string() + ": " + ec.message());
}

FrameSink OutputDirectory::frameSink() {
  return [this](const std::string& name, platform::Nanos time, SimPhone& phone) {
    platform::CGImageRef image = phone.renderScreen(renderer_);
    if (!image) return;
    auto path = dir_ / "frames" / (name + ".png");
    if (!platform::writePng(*image, path)) {
      failures_.push_back("cannot write " + path.string());
      return;
    }
    char label[160];
    std::snprintf(label, sizeof label, "%s  t=%.2fs", name.c_str(), platform::nanosToSeconds(time));
    sheet_.push_back({image, label});
  };
}

void OutputDirectory::attachTrace(platform::Device& device) {
  trace_.open(tracePath(), std::ios::trunc);
  if (!trace_) throw std::runtime_error("cannot write " + tracePath().string());
  for (const auto& event : device.trace().events()) trace_ << platform::toJsonLine(event) << '\n';
  device.trace().setSink(&trace_);
}

void OutputDirectory::detachTrace(platform::Device& device) {
  device.trace().setSink(nullptr);
  if (!trace_.is_open()) return;
  trace_.flush();
  if (!trace_) failures_.push_back("cannot write " + tracePath().string());
  trace_.close();
}

std::filesystem::path OutputDirectory::writeContactSheet() {
  if (sheet_.empty()) return {};
  platform::CGImageRef sheet = platform::composeContactSheet(sheet_, 4, 220);
  auto path = dir_ / "contact-sheet.png";
  if (!sheet || !platform::writePng(*sheet, path)) {
    failures_.push_back("cannot write " + path.string());
    return {};
  }
  return path;
}

}  // namespace sim
