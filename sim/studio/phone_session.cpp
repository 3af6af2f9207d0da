#include "sim/studio/phone_session.h"

#include <malloc.h>

#include <nlohmann/json.hpp>

#include "hud/tarvo12.h"
#include "platform/foundation/base64.h"
#include "platform/foundation/json.h"
#include "platform/foundation/resident_memory.h"
#include "platform/uikit/content/builtin_content.h"
#include "sim/lint/settings_lint.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/studio/json_text.h"
#include "sim/studio/pane_layout.h"

namespace sim::studio {

namespace {

// glibc keeps freed memory for later; a studio that parsed a large file should not keep its peak for ever.
void returnFreedMemory() {
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

// The pictures the page offers behind the HUD, from the platform's own table.
nlohmann::json pictureNames() {
  nlohmann::json names = nlohmann::json::array();
  for (const auto& info : platform::kBuiltinContents) names.push_back(info.name);
  return names;
}

using Clock = std::chrono::steady_clock;

// How often the phone's clock catches up with the wall clock and the screen is looked at; twice as often
// while it may be changing, so that a frame waits less for the look that finds it.
constexpr auto kTick = std::chrono::milliseconds(16);
constexpr auto kWatchingTick = std::chrono::milliseconds(8);
// How often, at most, memory freed by requests is handed back to the system, and how much it must have
// grown by since: each page given back costs every thread of the process a flush of its address cache, and
// pages taken back again a fault, so the ordinary churn of frames is left alone.
constexpr auto kTrimInterval = std::chrono::seconds(1);
constexpr std::size_t kTrimGrowth = std::size_t{8} << 20;
// The HUD's fields go out at most this often while they change: the page need not rebuild its table of
// them at the frame rate.
constexpr auto kFieldsInterval = std::chrono::milliseconds(100);
// The studio runs for hours: only the recent trace stays in memory.
constexpr std::size_t kTraceRetention = 4096;

}  // namespace

PhoneSession::PhoneSession(SessionOptions options, EventHub& hub)
    : options_(std::move(options)), hub_(hub), watcher_(options_.frameScale) {
  boot(options_.model ? *options_.model : defaultDeviceModel(), options_.settings);
  thread_ = std::thread([this] { loop(); });
}

PhoneSession::~PhoneSession() { stop(); }

void PhoneSession::stop() {
  // The server's signal thread and the main thread may both stop the session.
  std::lock_guard once(stopMutex_);
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  // Whoever still waits for a request or a recording learns that the phone has stopped.
  std::deque<std::pair<std::uint64_t, Task>> abandoned;
  {
    std::lock_guard lock(mutex_);
    abandoned.swap(queue_);
  }
  for (auto& [id, task] : abandoned) task(nullptr);
  recordings_.clear();
}

std::uint64_t PhoneSession::post(Task task) {
  std::uint64_t id = 0;
  {
    std::lock_guard lock(mutex_);
    if (!stopping_) {
      id = nextId_++;
      queue_.emplace_back(id, std::move(task));
    }
  }
  if (!id) {
    task(nullptr);
    return 0;
  }
  wake_.notify_all();
  return id;
}

void PhoneSession::boot(const DeviceModel& model, const std::optional<platform::PlistDict>& settings) {
  // Recordings end with the phone they record: the next one starts its clock at zero, maybe with another
  // screen size.
  if (phone_) {
    platform::Nanos end = phone_->phone().device().now();
    for (auto& r : recordings_) r->finishBy(end, true);
    recordings_.clear();
  }
  phone_ = std::make_unique<StudioPhone>(model, settings);
  phone_->phone().device().trace().setRetention(kTraceRetention);
  bootedAt_ = Clock::now();
  traceSeen_ = 0;
  lastFields_.clear();
  watcher_.forget();
}

void PhoneSession::reboot(const DeviceModel& model, std::function<void(bool)> done) {
  post([this, &model, done = std::move(done)](StudioPhone* phone) {
    if (!phone) return done(false);
    auto settings = phone->settings();
    boot(model, settings);
    hub_.publish("reboot", jsonText(nlohmann::json{{"model", model.identifier}}));
    done(true);
  });
}

void PhoneSession::record(double seconds, ScreenRecording::Done done) {
  post([this, seconds, done = std::move(done)](StudioPhone* phone) mutable {
    if (!phone) return done({});
    platform::Nanos now = phone->phone().device().now();
    platform::CGImageRef first = watcher_.current(phone->phone());
    if (!first) return done({});
    recordings_.push_back(std::make_shared<ScreenRecording>(*first, now, now + platform::secondsToNanos(seconds),
                                                            std::move(done)));
  });
}

void PhoneSession::greet() {
  post([this](StudioPhone* phone) {
    if (!phone) return;
    lastFields_.clear();
    watcher_.forget();
    publishState();
  });
}

void PhoneSession::followWallClock() {
  // Whole milliseconds, so that a session written out as a scenario names its moments exactly.
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - bootedAt_);
  phone_->runUntil(static_cast<platform::Nanos>(elapsed.count()) * 1'000'000);
}

void PhoneSession::loop() {
  auto nextLook = Clock::now();
  for (;;) {
    // Here the last requests' tasks, and what they held, are gone.
    if (!trimmed_ && Clock::now() >= lastTrim_ + kTrimInterval) {
      if (platform::residentBytes() >= residentAfterTrim_ + kTrimGrowth) {
        returnFreedMemory();
        residentAfterTrim_ = platform::residentBytes();
      }
      trimmed_ = true;
      lastTrim_ = Clock::now();
    }
    std::deque<std::pair<std::uint64_t, Task>> tasks;
    {
      std::unique_lock lock(mutex_);
      wake_.wait_until(lock, nextLook, [&] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      tasks.swap(queue_);
    }
    followWallClock();
    for (auto& [id, task] : tasks) {
      running_ = id;
      task(phone_.get());
      applied_ = id;
      watcher_.poke(phone_->phone().device().now());
    }
    trimmed_ = trimmed_ && tasks.empty();
    // Look at once after a request: what it changes may already show (a label, a setting).
    if (tasks.empty() && Clock::now() < nextLook) continue;
    auto now = phone_->phone().device().now();
    nextLook = Clock::now() + (watcher_.watching(now) ? kWatchingTick : kTick);
    // The frame first: it is what a person waits for; the state, the trace and the fields follow it.
    if (auto frame = watcher_.look(phone_->phone())) {
      publishFrame(*frame);
      for (auto& r : recordings_) r->add(*frame->image, now);
    }
    std::erase_if(recordings_, [&](const auto& r) { return r->finishBy(now, false); });
    if (!tasks.empty()) publishState();
    publishTrace();
    if (fieldsDue_ && Clock::now() >= fieldsSent_ + kFieldsInterval) publishFields();
  }
}

void PhoneSession::publishTrace() {
  const auto& trace = phone_->phone().device().trace();
  std::size_t fresh = trace.recorded() - traceSeen_;
  if (fresh == 0) return;
  traceSeen_ = trace.recorded();
  watcher_.poke(phone_->phone().device().now());
  const auto& events = trace.events();
  std::size_t from = events.size() > fresh ? events.size() - fresh : 0;
  for (std::size_t i = from; i < events.size(); ++i) hub_.publish("trace", platform::toJsonLine(events[i]));
  fieldsDue_ = true;
}

void PhoneSession::publishFields() {
  fieldsDue_ = false;
  fieldsSent_ = Clock::now();
  tarvo::Tarvo12* lib = phone_->phone().tarvo();
  std::string fields = lib ? platform::toJson(platform::PlistValue(hudSnapshot(*lib))) : "{}";
  if (fields == lastFields_) return;
  lastFields_ = fields;
  hub_.publish("fields", fields);
}

void PhoneSession::publishState() {
  const PhoneState& s = phone_->state();
  auto settings = phone_->settings();
  nlohmann::json lint = nlohmann::json::array();
  // No file yet is every default, not a malformed file. The geometry is the studio's phone's.
  for (const auto& w : lintSettings(settings.value_or(platform::PlistDict{}), &phone_->model())) lint.push_back({{"key", w.key}, {"text", w.text}, {"alsoKeys", w.alsoKeys}});
  nlohmann::json state{
      {"model", s.model},
      {"orientation", s.orientation},
      {"silent", s.silent},
      {"buttons", s.buttonsChangeRinger ? "ringer" : "media"},
      {"front", s.front},
      {"barColours", s.barColours},
      {"contents", s.contents},
      {"pictures", pictureNames()},
      {"screen", {phone_->phone().device().screenWidth(), phone_->phone().device().screenHeight()}},
      {"settings", nlohmann::json::parse(platform::toJson(platform::PlistValue(settings.value_or(platform::PlistDict{}))))},
      {"lint", lint},
      {"colours", colourVerdicts(settings)},
  };
  hub_.publish("state", jsonText(state));
  publishFields();
}

void PhoneSession::publishFrame(const ScreenFrame& frame) {
  nlohmann::json message{
      {"number", ++frameNumber_},
      {"applied", applied_},
      {"time", platform::nanosToSeconds(phone_->phone().device().now())},
      {"width", frame.image->width()},
      {"height", frame.image->height()},
      {"png", platform::base64Encode(frame.png)},
  };
  hub_.publish("frame", jsonText(message));
}

}  // namespace sim::studio
