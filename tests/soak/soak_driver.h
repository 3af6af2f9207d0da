#pragma once
// Plays random events on one simulated phone: presses in both modes, ringer flips, rotations, taps in
// every state of the HUD, settings reloads with random values, front app changes, and colour reports and
// store reports from many bundle identifiers. Deterministic for a seed.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/device/device.h"
#include "platform/foundation/plist_value.h"

namespace tarvo {
class Tarvo12;
}

namespace soak {

struct SoakOptions {
  std::uint64_t seed = 12;
  int bundles = 10'000;  // distinct bundle identifiers the colour reports come from
};

// What is alive and kept after the phone has been left alone long enough for everything to settle.
struct SoakCensus {
  long liveObjects = 0;               // platform objects of every process
  std::size_t pendingTasks = 0;       // run-loop work of every process
  std::size_t statusColors = 0;       // entries of the per-app colour cache
  std::size_t cachedImages = 0;       // entries of the HUD's image caches
  std::size_t traceEvents = 0;        // events the trace keeps in memory
  std::size_t observers = 0;          // notification observers of every name
  long residentKilobytes = 0;         // the test process's resident memory
};

class SoakDriver {
 public:
  explicit SoakDriver(SoakOptions options = {});
  ~SoakDriver();

  // Plays `count` more events.
  void play(std::uint64_t count);
  // Leaves the phone alone until every animation and timer has run out, then counts.
  SoakCensus settleAndCount();

  std::uint64_t played() const { return played_; }
  platform::Device& device() { return device_; }
  tarvo::Tarvo12& tarvo() { return *tarvo_; }

 private:
  void playOne();
  void reloadSettings();
  void postColour(bool store);
  double chance() { return std::uniform_real_distribution<double>(0, 1)(random_); }
  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  double randomReal();

  SoakOptions options_;
  std::mt19937_64 random_;
  platform::Device device_;
  platform::Process* springBoard_ = nullptr;
  platform::Process* preferences_ = nullptr;
  std::vector<platform::Process*> apps_;
  tarvo::Tarvo12* tarvo_ = nullptr;
  std::uint64_t played_ = 0;
};

long residentKilobytes();

}  // namespace soak
