#include "sim/output/trace_timeline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include <nlohmann/json.hpp>

#include "platform/foundation/base64.h"
#include "platform/foundation/trace_kinds.h"

namespace sim {

namespace {

using nlohmann::json;

// What the timeline makes of a kind; every kind not named here is an instant.
enum class Role { Post, Deliver, Observe, Schedule, Fire, Invalidate, AnimationBegin, AnimationComplete };

struct KindRole {
  std::string_view kind;
  Role role;
  std::string_view reads;  // the fields the timeline reads, all of which every event of the kind carries
};

constexpr auto kRoles = std::to_array<KindRole>({
    {"notification.observe", Role::Observe, "name"},
    {"notification.post", Role::Post, "name"},
    {"notification.deliver", Role::Deliver, "name from"},
    {"timer.schedule", Role::Schedule, "interval selector repeats fireAt"},
    {"timer.fire", Role::Fire, "selector"},
    {"timer.invalidate", Role::Invalidate, "selector"},
    {"animation.begin", Role::AnimationBegin, "id duration delay changes"},
    {"animation.complete", Role::AnimationComplete, "id"},
});

// The roles above, held to the table of kinds once: a kind renamed there, or a field the timeline
// reads that an event may lack, is a fault found by the first timeline made.
const std::map<std::string_view, Role, std::less<>>& rolesByKind() {
  static const auto roles = [] {
    std::map<std::string_view, Role, std::less<>> byKind;
    for (const KindRole& row : kRoles) {
      const platform::TraceKind* kind = platform::findTraceKind(row.kind);
      if (!kind) throw std::logic_error("the timeline reads an unknown trace kind: " + std::string(row.kind));
      auto always = platform::traceFieldNames(*kind, true);
      std::string_view rest = row.reads;
      while (!rest.empty()) {
        auto space = rest.find(' ');
        std::string_view field = rest.substr(0, space);
        rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
        if (std::find(always.begin(), always.end(), field) == always.end())
          throw std::logic_error("the timeline reads " + std::string(field) + ", which not every " +
                                 std::string(row.kind) + " carries");
      }
      byKind.emplace(kind->kind, row.role);
    }
    return byKind;
  }();
  return roles;
}

json toJson(const platform::PlistValue& value);

json toJson(const platform::PlistDict& dict) {
  json object = json::object();
  for (const auto& [key, item] : dict) object[key] = toJson(item);
  return object;
}

// As the trace's own lines write them: reals JSON cannot hold as strings, data as base64 text.
json toJson(const platform::PlistValue& value) {
  return std::visit(
      [](const auto& v) -> json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, double>) {
          if (std::isnan(v)) return "NaN";
          if (std::isinf(v)) return v > 0 ? "Infinity" : "-Infinity";
          return v;
        } else if constexpr (std::is_same_v<T, platform::PlistData>) {
          return platform::base64Encode(v.bytes);
        } else if constexpr (std::is_same_v<T, platform::PlistDate>) {
          return v.secondsSinceReferenceDate;
        } else if constexpr (std::is_same_v<T, platform::PlistArray>) {
          json array = json::array();
          for (const auto& item : v) array.push_back(toJson(item));
          return array;
        } else if constexpr (std::is_same_v<T, platform::PlistDict>) {
          return toJson(v);
        } else {
          return v;
        }
      },
      value.storage);
}

std::string text(const platform::PlistDict& fields, std::string_view key) {
  const platform::PlistValue* value = fields.find(key);
  const std::string* s = value ? value->asString() : nullptr;
  return s ? *s : std::string();
}

double number(const platform::PlistDict& fields, std::string_view key) {
  const platform::PlistValue* value = fields.find(key);
  auto d = value ? value->doubleValue() : std::nullopt;
  return d && std::isfinite(*d) ? *d : 0;
}

// An animation block's number, as the key its completion is found by.
std::string blockId(const platform::PlistDict& fields) {
  const platform::PlistValue* id = fields.find("id");
  const std::int64_t* n = id ? std::get_if<std::int64_t>(&id->storage) : nullptr;
  return n ? std::to_string(*n) : std::string();
}

// Virtual time in microseconds, the format's unit; nanoseconds stay as the fraction.
double micros(platform::Nanos time) { return static_cast<double>(time) / 1000.0; }

// "animate UIView.alpha, UIImageView.center": what the block changed, each once, in the order set.
std::string animationName(const platform::PlistDict& fields) {
  std::vector<std::string> parts;
  const platform::PlistValue* changes = fields.find("changes");
  if (const platform::PlistArray* list = changes ? changes->asArray() : nullptr) {
    for (const platform::PlistValue& change : *list) {
      const platform::PlistDict* entry = change.asDict();
      if (!entry) continue;
      const platform::PlistValue* changed = entry->find("changed");
      if (changed && changed->boolValue() == false) continue;
      std::string part = text(*entry, "view") + "." + text(*entry, "property");
      if (std::find(parts.begin(), parts.end(), part) == parts.end()) parts.push_back(std::move(part));
    }
  }
  if (parts.empty()) return "animate nothing";
  std::string name = "animate ";
  for (std::size_t i = 0; i < parts.size(); ++i) name += (i ? ", " : "") + parts[i];
  return name;
}

// The kind's first word ("timer" of "timer.fire"), as the category viewers filter by.
std::string categoryOf(std::string_view kind) { return std::string(kind.substr(0, kind.find('.'))); }

}  // namespace

TraceTimeline::TraceTimeline(std::ostream& out) : out_(out) {
  rolesByKind();
  out_ << "{\"displayTimeUnit\":\"ms\",\"traceEvents\":[";
}

void TraceTimeline::write(const std::string& event) {
  out_ << (written_++ ? ",\n" : "\n") << event;
}

namespace {
// Process and thread are one: each process of the trace is one track.
json eventOn(const char* phase, int pid, platform::Nanos time) {
  return json{{"ph", phase}, {"pid", pid}, {"tid", pid}, {"ts", micros(time)}};
}
// Trace text may hold any bytes; what is not UTF-8 becomes U+FFFD rather than an exception.
std::string dump(const json& event) { return event.dump(-1, ' ', false, json::error_handler_t::replace); }
}  // namespace

int TraceTimeline::track(const std::string& process) {
  auto found = pids_.find(process);
  if (found != pids_.end()) return found->second;
  int pid = static_cast<int>(pids_.size()) + 1;
  pids_.emplace(process, pid);
  for (const char* name : {"process_name", "thread_name"}) {
    json meta = eventOn("M", pid, 0);
    meta["name"] = name;
    meta["args"] = {{"name", process}};
    write(dump(meta));
  }
  json order = eventOn("M", pid, 0);
  order["name"] = "process_sort_index";
  order["args"] = {{"sort_index", pid}};
  write(dump(order));
  return pid;
}

void TraceTimeline::observe(const platform::TraceEvent& event) {
  // Events of one instant are set a nanosecond apart, in the order recorded: each slice of no duration
  // then has a moment of its own on its track, so an arrow binds to its own post and its own delivery.
  now_ = observed_++ ? std::max(event.time, now_ + 1) : event.time;
  int pid = track(event.process);
  const auto& roles = rolesByKind();
  auto role = roles.find(event.kind);
  if (role == roles.end()) return instant(event, pid);
  switch (role->second) {
    case Role::Observe:
      observers_[text(event.fields, "name")].push_back(event.process);
      return instant(event, pid);
    case Role::Post: return post(event, pid);
    case Role::Deliver: return deliver(event, pid);
    case Role::Schedule: return schedule(event, pid);
    case Role::Fire: return endTimer(event, pid, true);
    case Role::Invalidate: return endTimer(event, pid, false);
    case Role::AnimationBegin: return beginAnimation(event, pid);
    case Role::AnimationComplete: return completeAnimation(event, pid);
  }
}

void TraceTimeline::instant(const platform::TraceEvent& event, int pid) {
  json e = eventOn("i", pid, now_);
  e["s"] = "t";
  e["name"] = event.kind;
  e["cat"] = categoryOf(event.kind);
  e["args"] = toJson(event.fields);
  write(dump(e));
}

void TraceTimeline::post(const platform::TraceEvent& event, int pid) {
  std::string name = text(event.fields, "name");
  // A post is an instant of virtual time: a slice of no duration, for the arrows to leave from.
  json slice = eventOn("X", pid, now_);
  slice["dur"] = 0;
  slice["name"] = "post " + name;
  slice["cat"] = "notification";
  slice["args"] = toJson(event.fields);
  write(dump(slice));
  auto observers = observers_.find(name);
  if (observers == observers_.end() || observers->second.empty()) return;
  if (posts_.size() >= kMaxOpen) posts_.pop_front();
  posts_.push_back({pid, now_, event.process, std::move(name), observers->second});
}

void TraceTimeline::deliver(const platform::TraceEvent& event, int pid) {
  std::string name = text(event.fields, "name");
  std::string from = text(event.fields, "from");
  // Each observer's run loop takes deliveries in the order they were posted: the oldest post still
  // awaiting this process is the one delivered.
  auto post = std::find_if(posts_.begin(), posts_.end(), [&](const Post& p) {
    return p.process == from && p.name == name &&
           std::find(p.awaiting.begin(), p.awaiting.end(), event.process) != p.awaiting.end();
  });
  std::int64_t flow = 0;
  if (post != posts_.end()) {
    flow = nextId_++;
    json start = eventOn("s", post->pid, post->time);
    start["id"] = flow;
    start["name"] = name;
    start["cat"] = "notification";
    write(dump(start));
    post->awaiting.erase(std::find(post->awaiting.begin(), post->awaiting.end(), event.process));
    if (post->awaiting.empty()) posts_.erase(post);
  }
  json slice = eventOn("X", pid, now_);
  slice["dur"] = 0;
  slice["name"] = "deliver " + name;
  slice["cat"] = "notification";
  slice["args"] = toJson(event.fields);
  write(dump(slice));
  if (!flow) return;
  json finish = eventOn("f", pid, now_);
  finish["bp"] = "e";  // bound to the delivery's slice, which encloses it
  finish["id"] = flow;
  finish["name"] = name;
  finish["cat"] = "notification";
  write(dump(finish));
}

void TraceTimeline::keep(std::deque<Slice>& open, Slice slice) {
  if (open.size() >= kMaxOpen) {
    closeSlice(open.front(), slice.start, "dropped");
    open.pop_front();
  }
  open.push_back(std::move(slice));
}

void TraceTimeline::closeSlice(const Slice& slice, platform::Nanos end, const char* ended) {
  json begin = eventOn("b", slice.pid, slice.start);
  begin["id"] = slice.id;
  begin["name"] = slice.name;
  begin["cat"] = slice.category;
  begin["args"] = toJson(slice.args);
  write(dump(begin));
  json close = eventOn("e", slice.pid, std::max(end, slice.start));
  close["id"] = slice.id;
  close["name"] = slice.name;
  close["cat"] = slice.category;
  close["args"] = {{"ended", ended}};
  write(dump(close));
}

void TraceTimeline::schedule(const platform::TraceEvent& event, int pid) {
  Slice timer{pid, now_, "timer", text(event.fields, "selector"), text(event.fields, "selector"),
              event.fields, nextId_++};
  timer.due = platform::secondsToNanos(number(event.fields, "fireAt"));
  timer.interval = number(event.fields, "interval");
  const platform::PlistValue* repeats = event.fields.find("repeats");
  timer.repeats = repeats && repeats->boolValue().value_or(false);
  keep(timers_, std::move(timer));
}

void TraceTimeline::endTimer(const platform::TraceEvent& event, int pid, bool fired) {
  std::string selector = text(event.fields, "selector");
  auto same = [&](const Slice& t) { return t.pid == pid && t.key == selector; };
  // Of two timers with one selector, the earlier due fires first; an invalidation ends the older.
  auto timer = std::find_if(timers_.begin(), timers_.end(), same);
  if (fired)
    for (auto t = timer; t != timers_.end(); ++t)
      if (same(*t) && t->due < timer->due) timer = t;
  if (timer == timers_.end()) return instant(event, pid);  // scheduled before the timeline began
  Slice ended = std::move(*timer);
  timers_.erase(timer);
  closeSlice(ended, now_, fired ? "fired" : "invalidated");
  if (!fired || !ended.repeats) return;
  // A repeating timer: one slice per period.
  Slice next = ended;
  next.start = now_;
  next.id = nextId_++;
  next.due = now_ + platform::secondsToNanos(ended.interval);
  keep(timers_, std::move(next));
}

void TraceTimeline::beginAnimation(const platform::TraceEvent& event, int pid) {
  // Recorded when the block ends; its animations run from then plus the delay.
  platform::Nanos start = now_ + platform::secondsToNanos(number(event.fields, "delay"));
  keep(animations_, {pid, start, "animation", animationName(event.fields), blockId(event.fields), event.fields,
                     nextId_++});
}

void TraceTimeline::completeAnimation(const platform::TraceEvent& event, int pid) {
  std::string key = blockId(event.fields);
  auto block = std::find_if(animations_.begin(), animations_.end(),
                            [&](const Slice& a) { return a.pid == pid && a.key == key; });
  if (block == animations_.end()) return instant(event, pid);
  Slice done = std::move(*block);
  animations_.erase(block);
  // A block that changed nothing completes before its delay is over.
  done.start = std::min(done.start, now_);
  closeSlice(done, now_, "completed");
}

void TraceTimeline::finish(platform::Nanos end) {
  end = std::max(end, now_);
  for (const Slice& slice : timers_) closeSlice(slice, end, "open at the end");
  for (const Slice& slice : animations_) closeSlice(slice, end, "open at the end");
  timers_.clear();
  animations_.clear();
  posts_.clear();
  out_ << "\n]}\n";
  out_.flush();
}

}  // namespace sim
