// Random valid scenarios, mixing every command, played on the fuzz phone kept between inputs: the fuzzer's
// bytes are the generator's choices. Each scenario carries on from the phone's boot; written out it must
// read back as the same commands (the formatter is the parser's inverse), then its commands are acted out
// at their times through the runner's entry for one command, keeping the invariants of a sound run after
// every one (fuzz/run_invariants.h). A finding replays with `tarvo12-sim run` on the scenario it prints.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_phone.h"
#include "fuzz/random_scenario.h"
#include "fuzz/run_invariants.h"
#include "platform/render/renderer.h"
#include "sim/play/runner.h"
#include "sim/scenario/format_scenario.h"
#include "sim/scenario/parse_scenario.h"

namespace {

class BytesAsChoices : public fuzzing::Choices {
 public:
  explicit BytesAsChoices(FuzzedDataProvider& bytes) : bytes_(bytes) {}
  std::uint32_t below(std::uint32_t n) override { return bytes_.ConsumeIntegralInRange<std::uint32_t>(0, n - 1); }

 private:
  FuzzedDataProvider& bytes_;
};

[[noreturn]] void report(const std::string& what, const std::string& text) {
  std::fprintf(stderr, "%s\n%s", what.c_str(), text.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider bytes(data, size);
  BytesAsChoices choices(bytes);
  static const char* const kModels[] = {"iPhone10,3", "iPhone9,3", "iPhone8,4"};
  fuzzing::FuzzPhone& phone = fuzzing::phoneFor({.model = choices.pick(kModels)});
  const int commands = 1 + static_cast<int>(choices.below(40));
  const sim::Scenario scenario = fuzzing::RandomScenario(choices, phone.boot()).generate(commands);

  const std::string text = sim::formatScenario(scenario);
  sim::Scenario parsed;
  try {
    parsed = sim::parseScenario(text, "random.scenario");
  } catch (const sim::ScenarioError& error) {
    report(std::string("the generator wrote an invalid scenario: ") + error.what(), text);
  }
  if (parsed.steps.size() != scenario.steps.size() || parsed.end != scenario.end)
    report("the scenario does not read back as written", text);
  for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
    const sim::Step& a = scenario.steps[i];
    const sim::Step& b = parsed.steps[i];
    // A real that is not a number equals nothing; such a command reads back when it writes the same line.
    if (a.time != b.time || (!(a.command == b.command) && sim::formatCommand(a.command, {a.time, a.beforeDue}) !=
                                                             sim::formatCommand(b.command, {b.time, b.beforeDue})))
      report("line " + std::to_string(i + 1) + " does not read back as written", text);
  }

  // Render one frame in eight: across inputs that still reaches the renderer with every state, and an
  // input's frames cost no more than its other steps.
  int frame = 0;
  phone.options().frames = [&](const std::string&, platform::Nanos, sim::SimPhone& p) {
    if (frame++ % 8 == 0) p.renderScreen(phone.renderer, 0.5);  // the same drawing, a quarter of the pixels
  };
  fuzzing::RunInvariants invariants;
  // The invariants and the expectations read this input's events only: an input's windows start at its
  // origin, and a finding must replay on a phone that never ran the inputs before it.
  phone.device.trace().clear();
  phone.device.trace().setRetention(4096);  // the invariants read what arrived since the last step
  const platform::Nanos origin = phone.device.now();
  for (const sim::TimelineEntry& entry : sim::timeline(scenario)) {
    if (entry.step < phone.boot().steps.size()) continue;  // the phone has played its boot
    const sim::Step& step = scenario.steps[entry.step];
    if (step.beforeDue) phone.device.runBefore(origin + entry.time);
    else phone.device.runUntil(origin + entry.time);
    phone.apply(step.command, {entry.occurrence, step.time, origin});
    invariants.check(phone.phone);
  }
  phone.device.runUntil(origin + scenario.end);
  invariants.check(phone.phone);
  phone.options().frames = nullptr;
  phone.device.trace().setRetention(0);  // putting the phone back is no part of any input
  if (!invariants.violation().empty()) report(invariants.violation(), text);
  return 0;
}
