#pragma once
// The device's virtual clock. Nothing in the repository sleeps or reads the wall clock.
#include <cmath>
#include <cstdint>

namespace platform {

using Nanos = std::int64_t;

constexpr Nanos kNanosPerSecond = 1'000'000'000;

// Seconds to clock ticks; NaN counts as zero and huge values saturate, so no conversion is undefined.
inline Nanos secondsToNanos(double seconds) {
  if (std::isnan(seconds)) return 0;
  double ns = std::round(seconds * 1e9);
  if (ns >= 9.2e18) return INT64_MAX / 2;
  if (ns <= -9.2e18) return -(INT64_MAX / 2);
  return static_cast<Nanos>(ns);
}
inline double nanosToSeconds(Nanos ns) { return static_cast<double>(ns) / 1e9; }

class Clock {
 public:
  Nanos now() const { return now_; }
  double seconds() const { return nanosToSeconds(now_); }
  // Time only moves forward.
  void advanceTo(Nanos t) {
    if (t > now_) now_ = t;
  }

 private:
  Nanos now_ = 0;
};

}  // namespace platform
