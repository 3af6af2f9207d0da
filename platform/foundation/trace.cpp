#include "platform/foundation/trace.h"

#include <algorithm>

#include "platform/foundation/json.h"

namespace platform {

std::string toJsonLine(const TraceEvent& event) {
  std::string out = "{\"t\":";
  appendJson(out, PlistValue(nanosToSeconds(event.time)));
  out += ",\"process\":";
  appendJsonString(out, event.process);
  out += ",\"event\":";
  appendJsonString(out, event.kind);
  for (const auto& [key, value] : event.fields) {
    out += ',';
    appendJsonString(out, key);
    out += ':';
    appendJson(out, value);
  }
  out += '}';
  return out;
}

namespace {
TraceWatcher gWatcher = nullptr;
}

void watchEveryTrace(TraceWatcher watcher) { gWatcher = watcher; }

void Trace::record(TraceEvent event) {
  ++recorded_;
  if (gWatcher) gWatcher(event);
  if (sink_) *sink_ << toJsonLine(event) << '\n';
  if (observer_) observer_(event);
  if (retention_ == 0) return;
  if (events_.size() >= retention_) events_.pop_front();
  events_.push_back(std::move(event));
}

void Trace::setRetention(std::size_t maxEvents) {
  retention_ = maxEvents;
  while (events_.size() > retention_) events_.pop_front();
}

std::size_t Trace::count(std::string_view kind) const {
  return static_cast<std::size_t>(
      std::count_if(events_.begin(), events_.end(), [&](const TraceEvent& e) { return e.kind == kind; }));
}

}  // namespace platform
