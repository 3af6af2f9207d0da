// Scenario files through the simulator's parser: every text ends in a scenario or in a ScenarioError that
// names a line and column of the text and shows safely, and a parsed scenario expands into its timeline.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sim/scenario/parse_scenario.h"
#include "sim/scenario/source_excerpt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    sim::Scenario scenario = sim::parseScenario(text, "fuzz.scenario");
    auto entries = sim::timeline(scenario);
    // The timeline is in time order and points at steps that exist.
    for (std::size_t i = 0; i < entries.size(); ++i) {
      if (entries[i].step >= scenario.steps.size()) std::abort();
      if (i && entries[i].time < entries[i - 1].time) std::abort();
    }
  } catch (const sim::ScenarioError& error) {
    // The line is one of the text's (or 0 for the whole file).
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n';
    if (error.line() > lines) std::abort();
    // The column lies on the line or just after it, and what a person reads holds no control characters
    // but the line breaks and tabs of the layout.
    if (error.line() > 0 && error.column() > sim::lineOf(text, error.line()).size() + 1) std::abort();
    for (char c : sim::describe(error)) {
      auto u = static_cast<unsigned char>(c);
      if ((u < 0x20 && c != '\n' && c != '\t') || u == 0x7F) std::abort();
    }
  }
  return 0;
}
