#pragma once
// What holds after every step of any sound run, whatever the scenario did: the HUD's alpha and slider
// values within their ranges (the model's and, on screen, 0...1), the per-app colour cache within its
// bound, never two hide timers pending at once, and the trace's time never going back. Header-only: fuzz
// targets are single files.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "hud/tarvo12.h"
#include "platform/device/device.h"
#include "platform/uikit/slider.h"
#include "platform/uikit/window.h"
#include "sim/phone/sim_phone.h"

namespace fuzzing {

class RunInvariants {
 public:
  // Empty while everything holds; otherwise what broke first.
  const std::string& violation() const { return violation_; }

  void check(sim::SimPhone& phone) {
    if (!violation_.empty()) return;
    checkTrace(phone.device());
    if (const tarvo::Tarvo12* lib = phone.tarvo()) checkHud(*lib, phone.device().clock().now());
  }

 private:
  void fail(std::string what) {
    if (violation_.empty()) violation_ = std::move(what);
  }

  void checkTrace(platform::Device& device) {
    const auto& events = device.trace().events();
    const std::size_t recorded = device.trace().recorded();
    // Only what arrived since the last check (the trace may keep fewer than it recorded).
    const std::size_t fresh = std::min(recorded - seen_, events.size());
    for (std::size_t i = events.size() - fresh; i < events.size(); ++i) {
      const platform::TraceEvent& event = events[i];
      if (event.time < lastTime_) fail("trace time went back at event " + event.kind);
      lastTime_ = event.time;
      // The kind first: most events are not timers, and their fields are many.
      const bool scheduled = event.kind == "timer.schedule";
      if (!scheduled && event.kind != "timer.fire" && event.kind != "timer.invalidate") continue;
      const std::string* selector = platform::stringForKey(event.fields, "selector");
      if (!selector || *selector != "tarvoHUDShouldHide:") continue;
      int& pending = hideTimers_[event.process];
      if (scheduled && ++pending > 1) fail("two hide timers pending in " + event.process);
      if (!scheduled && pending > 0) --pending;
    }
    seen_ = recorded;
  }

  void checkHud(const tarvo::Tarvo12& lib, platform::Nanos now) {
    if (lib.statusColors.size() > lib.statusColors.capacity()) fail("statusColors beyond its capacity");
    if (const auto& window = lib.views.tarvoHUDWindow) {
      if (!withinUnit(window->alpha()) || !withinUnit(window->presentation(now).alpha))
        fail("window alpha out of 0...1");
    }
    if (const auto& slider = lib.views.tarvoHUDSlider) {
      const double lo = slider->minimumValue(), hi = slider->maximumValue();
      // The value on screen may still be on its way from a level the previous mode allowed (media goes
      // down to 0, the ringer to 0.0625), so it is held to the widest range only.
      const double model = slider->value(), shown = slider->presentationValue(now);
      if (!(model >= lo && model <= hi) || !withinUnit(shown))
        fail("slider value " + std::to_string(model) + " (on screen " + std::to_string(shown) + ") outside " +
             std::to_string(lo) + "..." + std::to_string(hi));
      if (!(lo >= 0 && hi <= 1)) fail("slider range beyond 0...1");
    }
  }

  static bool withinUnit(double v) { return v >= 0 && v <= 1; }

  std::string violation_;
  std::size_t seen_ = 0;
  platform::Nanos lastTime_ = 0;
  std::map<std::string, int> hideTimers_;
};

}  // namespace fuzzing
