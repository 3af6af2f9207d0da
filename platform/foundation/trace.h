#pragma once
// The trace: every effect that matters to a person or to another process, one JSON object per line.
#include <cstddef>
#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/foundation/clock.h"
#include "platform/foundation/plist_value.h"

namespace platform {

struct TraceEvent {
  Nanos time = 0;
  std::string process;
  std::string kind;
  PlistDict fields;
};

// {"t":1.75,"process":"SpringBoard","event":"timer.fire","selector":"tarvoHUDShouldHide:"}
std::string toJsonLine(const TraceEvent& event);

// Sees every event any trace records, before it is streamed or kept: the tests hold each one to the table
// of kinds (trace_kinds.h). Set it before any device runs; nullptr stops it.
using TraceWatcher = void (*)(const TraceEvent&);
void watchEveryTrace(TraceWatcher watcher);

class Trace {
 public:
  void record(TraceEvent event);
  // Whether an event would be streamed or kept; when not, recorders may only count it (`skipped`).
  bool wanted() const { return sink_ != nullptr || retention_ > 0 || observer_ != nullptr; }
  void skipped() { ++recorded_; }

  // Streams each event as a JSON line as it is recorded; nullptr stops streaming.
  void setSink(std::ostream* sink) { sink_ = sink; }
  // Sees each event as it is recorded, before it is kept or dropped; nothing stops it.
  void setObserver(std::function<void(const TraceEvent&)> observer) { observer_ = std::move(observer); }
  // How many events stay in memory (the oldest are dropped first); soak runs keep few.
  void setRetention(std::size_t maxEvents);
  void clear() { events_.clear(); }

  const std::deque<TraceEvent>& events() const { return events_; }
  std::size_t recorded() const { return recorded_; }
  std::size_t count(std::string_view kind) const;

 private:
  std::deque<TraceEvent> events_;
  std::size_t retention_ = static_cast<std::size_t>(-1);
  std::size_t recorded_ = 0;
  std::ostream* sink_ = nullptr;
  std::function<void(const TraceEvent&)> observer_;
};

}  // namespace platform
