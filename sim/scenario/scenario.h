#pragma once
// A parsed scenario: how the device is set up before it boots, then the steps to play, in order.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/clock.h"
#include "sim/scenario/commands.h"
#include "sim/scenario/values.h"

namespace sim {

// Which processes a library is injected into, as a filter plist would say.
struct InjectionFilter {
  bool everyUIKitProcess = false;    // every app, and the shell
  std::vector<std::string> bundles;  // and these bundle identifiers
  bool operator==(const InjectionFilter&) const = default;
};

// What the device is when it boots. Optional values left empty mean "as the platform has it by default".
struct DeviceSetup {
  std::optional<std::string> model;  // a model identifier of device_models.h: the screen and scale
  // What the device answers as its model identifier when it differs from `model` (any string).
  std::optional<std::string> modelIdentifier;
  InjectionFilter tarvo12{false, {"com.apple.springboard"}};
  InjectionFilter tarvo12Kit{true, {}};
  std::optional<BarKind> shellBar;              // Classic or Split: the shell's own status bar
  std::optional<bool> shellReportsSplitLayout;  // what raises isForceSplit
  LayoutDirection direction = LayoutDirection::LeftToRight;
  // The shell's own bar, as an app's: colour (nothing is nil; white unless given), style (1 unless given),
  // missing parts of a classic bar, background-activity views of a split bar.
  std::optional<std::optional<Colour>> shellBarColour;
  std::optional<std::int64_t> shellBarStyle;
  ClassicBarParts shellBarParts;
  std::optional<std::vector<int>> shellActivityDepths;
  std::vector<std::string> shellActivityClasses;
  std::optional<double> mediaLevel;   // 0...1
  std::optional<double> ringerLevel;  // 0...1
  bool operator==(const DeviceSetup&) const = default;
};

struct Step {
  std::string file;
  std::size_t line = 0;
  platform::Nanos time = 0;  // when it happens: the scenario's cursor on its line
  Command command;
  std::size_t column = 0;  // of the statement's first word; 0 for a step no line wrote
  // `now`: the step sees the device before the tasks due at its time run (those that earlier lines at
  // the same time have not already let run), such as notifications posted a moment ago.
  bool beforeDue = false;
};

struct Scenario {
  std::string file;
  DeviceSetup setup;
  std::vector<Step> steps;  // in the order written, which is also the order of their times
  // When the scenario is over: the cursor after the last line, or a later scheduled press or frame.
  platform::Nanos end = 0;
  std::string text;  // as parsed, so that messages about a step can show its line
};

// The command word a step was written with ("press", "expect", ...), for messages and summaries.
std::string_view commandName(const Command& command);

// Recordings, frame by frame. Frame i of a recording starting at `start` is at start + i/fps, and is
// named NAME-0001 for i = 0.
std::size_t frameCount(const Record& record);
platform::Nanos frameTime(const Record& record, platform::Nanos start, std::size_t index);
std::string frameName(const Record& record, std::size_t index);

// Every moment something happens: one entry per step, except that a press step has one per press and a
// record step one per frame. Sorted by time; at equal times, earlier lines first.
struct TimelineEntry {
  platform::Nanos time = 0;
  std::size_t step = 0;        // index into Scenario::steps
  std::size_t occurrence = 0;  // which press or frame of that step
  bool operator==(const TimelineEntry&) const = default;
};
std::vector<TimelineEntry> timeline(const Scenario& scenario);

}  // namespace sim
