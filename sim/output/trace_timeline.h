#pragma once
// The trace as a timeline in the Chrome trace event format, which Perfetto and chrome://tracing open.
// It is built as the trace streams: only what is still open is held (animations running, timers
// pending, posts whose deliveries have not all arrived), and each event is written out once it is
// closed, so memory does not grow with the length of the run.
#include <cstddef>
#include <deque>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/foundation/clock.h"
#include "platform/foundation/trace.h"

namespace sim {

class TraceTimeline {
 public:
  // At most this many of each of animations, timers and posts stay open; past it the oldest is let go
  // (a slice ends there marked as dropped, a post's later deliveries come without their arrow).
  static constexpr std::size_t kMaxOpen = 4096;

  // Writes the start of the file at once.
  explicit TraceTimeline(std::ostream& out);

  // Takes the next event of the trace; events come in the order they were recorded.
  void observe(const platform::TraceEvent& event);
  // Ends the slices still open at `end` (or at the last event, when later) and closes the file's array.
  void finish(platform::Nanos end);

  std::size_t written() const { return written_; }
  std::size_t open() const { return posts_.size() + timers_.size() + animations_.size(); }

 private:
  struct Post {
    int pid;
    platform::Nanos time;
    std::string process, name;
    std::vector<std::string> awaiting;  // the observers' processes, one per registration
  };
  struct Slice {
    int pid;
    platform::Nanos start;
    std::string category, name, key;  // key: what the closing event names (a selector, an id)
    platform::PlistDict args;         // the opening event's fields
    std::int64_t id;
    platform::Nanos due = 0;          // a timer's fire date
    double interval = 0;
    bool repeats = false;
  };

  int track(const std::string& process);
  void write(const std::string& json);
  void closeSlice(const Slice& slice, platform::Nanos end, const char* ended);
  void keep(std::deque<Slice>& open, Slice slice);
  void post(const platform::TraceEvent& event, int pid);
  void deliver(const platform::TraceEvent& event, int pid);
  void schedule(const platform::TraceEvent& event, int pid);
  void endTimer(const platform::TraceEvent& event, int pid, bool fired);
  void beginAnimation(const platform::TraceEvent& event, int pid);
  void completeAnimation(const platform::TraceEvent& event, int pid);
  void instant(const platform::TraceEvent& event, int pid);

  std::ostream& out_;
  std::size_t written_ = 0;
  std::size_t observed_ = 0;
  platform::Nanos now_ = 0;  // the moment the timeline gives the latest event
  std::int64_t nextId_ = 1;
  std::map<std::string, int, std::less<>> pids_;
  std::map<std::string, std::vector<std::string>, std::less<>> observers_;  // by notification name
  std::deque<Post> posts_;
  std::deque<Slice> timers_;
  std::deque<Slice> animations_;
};

}  // namespace sim
