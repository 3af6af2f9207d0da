#pragma once
// Plays a scenario on a simulated phone: every step at its time, captures handed to a frame sink, and
// every failed expectation collected with its file and line.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/clock.h"
#include "sim/scenario/device_models.h"
#include "sim/scenario/scenario.h"
#include "sim/phone/sim_phone.h"
#include "sim/observe/trace_tally.h"

namespace sim {

// Receives each frame to capture: its name and the moment; the phone is as it is at that moment.
using FrameSink = std::function<void(const std::string& name, platform::Nanos time, SimPhone& phone)>;

// One frame of a `record`: which recording, the frame's place in it, its name and moment.
struct RecordedFrame {
  const std::string& recording;
  std::size_t index;
  std::size_t count;
  const std::string& name;
  platform::Nanos time;
  platform::Nanos end;  // of the recording
};
using RecordingSink = std::function<void(const RecordedFrame& frame, SimPhone& phone)>;

// The whole run filmed at a steady rate, whatever the scenario captures.
struct Film {
  int fps = 30;
  std::function<void(platform::Nanos time, SimPhone& phone)> frame;
};

struct RunOptions {
  const DeviceModel* model = nullptr;           // overrides the scenario's `device` line
  std::optional<std::filesystem::path> settings;  // copied to the phone's settings file before boot
  std::filesystem::path root;                   // the device's file-system root; empty: temporary
  FrameSink frames;                             // nothing: frames are not rendered
  RecordingSink recordings;                     // frames of `record`; nothing: they go to `frames`
  std::optional<Film> film;
  std::function<void(std::size_t done, std::size_t total)> progress;
  // How many of the latest trace events stay in memory once the run starts. The scenario's expectations
  // need none (they tally the trace as it streams), so a run's memory does not grow with its trace;
  // kWholeTrace keeps every event for a caller that reads the trace afterwards.
  std::size_t keptTraceEvents = 0;
  // Sees every event of the run as it is recorded, the boot's first, beside the expectations' tally.
  std::function<void(const platform::TraceEvent&)> traceObserver;
};
inline constexpr std::size_t kWholeTrace = static_cast<std::size_t>(-1);

struct RunResult {
  std::vector<std::string> failures;  // "file:line:column: expected ..., found ...", the line, a caret
  std::size_t expectations = 0;
  std::size_t frames = 0;
  std::size_t snapshots = 0;
  platform::Nanos end = 0;
  bool passed() const { return failures.empty(); }
};

// Where a command falls in what is being played: which press or frame of its step, the step's time, and
// the device time at which the scenario's time 0 falls (a phone kept between scenarios has moved on).
struct Occasion {
  std::size_t occurrence = 0;
  platform::Nanos stepTime = 0;
  platform::Nanos origin = 0;
  const Step* step = nullptr;  // the scenario's step, when the command is one: its trace expectations are tallied
};

// What one command did.
struct CommandOutcome {
  std::optional<std::string> failure;  // the expectation that failed, or why the command could not act
  bool expectation = false;            // the command was an expectation
  std::size_t frames = 0;              // frames handed to the frame sinks
  bool snapshot = false;
  bool passed() const { return !failure; }
};

class Runner {
 public:
  // Boots the phone of the scenario's setup.
  Runner(const Scenario& scenario, RunOptions options);
  // Plays the whole scenario; the phone stays afterwards for outputs such as the trace.
  RunResult run();
  // Acts out one command on the phone as it stands, at its current time. Everything that acts on the
  // phone goes through here: the scenario's steps, the studio's buttons and command line, the fuzz phone.
  CommandOutcome apply(const Command& command, const Occasion& occasion = {});
  SimPhone& phone() { return *phone_; }
  // The options' sinks, for whoever plays commands one by one.
  RunOptions& options() { return options_; }
  // Drops every value kept so far (a phone reused for an unrelated scenario).
  void forgetKept() { kept_.clear(); }

 private:
  // Runs the device to `time`, filming on the way when asked.
  // Before due: stop short of what is due at that instant (a snapshot taken before the deliveries).
  void advanceTo(platform::Nanos time, bool beforeDue = false);
  void fail(const Step& step, const std::string& message);
  // What was kept under a name: nullptr when nothing was.
  const std::optional<platform::PlistValue>* keptValue(std::string_view name) const;

  const Scenario& scenario_;
  RunOptions options_;
  std::unique_ptr<SimPhone> phone_;
  RunResult result_;
  TraceTally tally_;
  // What `keep` lines kept, by name; nothing for a field that had no value.
  std::map<std::string, std::optional<platform::PlistValue>, std::less<>> kept_;
  platform::Nanos nextFilmFrame_ = 0;
  std::size_t filmFrames_ = 0;
};

}  // namespace sim
