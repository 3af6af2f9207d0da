#include "sim/studio/screen_watcher.h"

#include "sim/phone/sim_phone.h"

namespace sim::studio {

namespace {

// Long enough for an ease-in to leave its first flat frames behind.
constexpr platform::Nanos kLookAfterEvent = 300'000'000;
// A changing frame keeps the watcher looking this much longer.
constexpr platform::Nanos kLookAfterChange = 100'000'000;

}  // namespace

bool sameFrame(const platform::CGImage& a, const platform::CGImage& b) {
  return a.width() == b.width() && a.height() == b.height() && a.pixels() == b.pixels();
}

void ScreenWatcher::poke(platform::Nanos now) {
  if (now + kLookAfterEvent > activeUntil_) activeUntil_ = now + kLookAfterEvent;
}

void ScreenWatcher::forget() {
  last_ = nullptr;
  activeUntil_ = 0;
}

platform::CGImageRef ScreenWatcher::current(SimPhone& phone) { return phone.renderScreen(renderer_, scale_); }

std::optional<ScreenFrame> ScreenWatcher::look(SimPhone& phone) {
  platform::Nanos now = phone.device().now();
  if (!watching(now)) return std::nullopt;
  platform::CGImageRef image = current(phone);
  if (!image) return std::nullopt;
  if (last_ && sameFrame(*image, *last_)) return std::nullopt;
  last_ = image;
  if (now + kLookAfterChange > activeUntil_) activeUntil_ = now + kLookAfterChange;
  return ScreenFrame{image, encoder_.encode(*image)};
}

}  // namespace sim::studio
