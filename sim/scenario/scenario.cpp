#include "sim/scenario/scenario.h"

#include "sim/scenario/command_words.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sim {


std::string_view commandName(const Command& command) {
  return std::visit([](const auto& c) { return CommandWords<std::decay_t<decltype(c)>>::words; }, command);
}

std::size_t frameCount(const Record& record) {
  if (record.fps <= 0 || record.duration <= 0) return 1;
  // Frames at 0, 1/fps, ... strictly before the end; a frame whose time rounds onto the end is left out.
  double exact =
      static_cast<double>(record.duration) * record.fps / static_cast<double>(platform::kNanosPerSecond);
  auto count = static_cast<std::size_t>(std::ceil(exact - 1e-9));
  return std::max<std::size_t>(count, 1);
}

platform::Nanos frameTime(const Record& record, platform::Nanos start, std::size_t index) {
  if (record.fps <= 0) return start;
  double offset = static_cast<double>(index) * static_cast<double>(platform::kNanosPerSecond) / record.fps;
  return start + static_cast<platform::Nanos>(std::llround(offset));
}

std::string frameName(const Record& record, std::size_t index) {
  char number[24];
  std::snprintf(number, sizeof number, "%04zu", index + 1);
  return record.name + "-" + number;
}

std::vector<TimelineEntry> timeline(const Scenario& scenario) {
  std::vector<TimelineEntry> entries;
  for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
    const Step& step = scenario.steps[i];
    if (const auto* press = std::get_if<PressButton>(&step.command)) {
      for (std::size_t k = 0; k < press->times.size(); ++k) entries.push_back({press->times[k], i, k});
    } else if (const auto* record = std::get_if<Record>(&step.command)) {
      std::size_t frames = frameCount(*record);
      for (std::size_t k = 0; k < frames; ++k) entries.push_back({frameTime(*record, step.time, k), i, k});
    } else {
      entries.push_back({step.time, i, 0});
    }
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TimelineEntry& a, const TimelineEntry& b) { return a.time < b.time; });
  return entries;
}

}  // namespace sim
