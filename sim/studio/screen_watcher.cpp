#include "sim/studio/screen_watcher.h"

#include "sim/phone/sim_phone.h"

namespace sim::studio {

namespace {

// Long enough for an ease-in to leave its first flat frames behind.
constexpr platform::Nanos kLookAfterEvent = 300'000'000;
// A changing frame keeps the watcher looking this much longer.
constexpr platform::Nanos kLookAfterChange = 100'000'000;

}  // namespace

std::uint64_t frameHash(const platform::CGImage& image) {
  // FNV-1a over the pixel words.
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&](std::uint64_t v) {
    h ^= v;
    h *= 1099511628211ull;
  };
  mix(static_cast<std::uint64_t>(image.width()));
  mix(static_cast<std::uint64_t>(image.height()));
  for (std::uint32_t p : image.pixels()) mix(p);
  return h;
}

void ScreenWatcher::poke(platform::Nanos now) {
  if (now + kLookAfterEvent > activeUntil_) activeUntil_ = now + kLookAfterEvent;
}

void ScreenWatcher::forget() {
  haveLast_ = false;
  activeUntil_ = 0;
}

platform::CGImageRef ScreenWatcher::current(SimPhone& phone) { return phone.renderScreen(renderer_, scale_); }

std::optional<ScreenFrame> ScreenWatcher::look(SimPhone& phone) {
  platform::Nanos now = phone.device().now();
  if (!watching(now)) return std::nullopt;
  platform::CGImageRef image = current(phone);
  if (!image) return std::nullopt;
  std::uint64_t hash = frameHash(*image);
  if (haveLast_ && hash == lastHash_) return std::nullopt;
  haveLast_ = true;
  lastHash_ = hash;
  if (now + kLookAfterChange > activeUntil_) activeUntil_ = now + kLookAfterChange;
  return ScreenFrame{image, encoder_.encode(*image)};
}

}  // namespace sim::studio
