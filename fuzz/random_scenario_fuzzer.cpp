// Random valid scenarios, mixing every command, played on the simulated phone: the fuzzer's bytes are the
// generator's choices. Every scenario must parse (the generator writes only valid ones), play to its end
// without a crash, and keep the invariants of a sound run after every step (fuzz/run_invariants.h).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "fuzz/random_scenario.h"
#include "fuzz/run_invariants.h"
#include "platform/render/renderer.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"

namespace {

class BytesAsChoices : public fuzzing::Choices {
 public:
  explicit BytesAsChoices(FuzzedDataProvider& bytes) : bytes_(bytes) {}
  std::uint32_t below(std::uint32_t n) override { return bytes_.ConsumeIntegralInRange<std::uint32_t>(0, n - 1); }

 private:
  FuzzedDataProvider& bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider bytes(data, size);
  BytesAsChoices choices(bytes);
  const int commands = 1 + static_cast<int>(choices.below(40));
  const std::string text = fuzzing::RandomScenario(choices).generate(commands);

  sim::Scenario scenario;
  try {
    scenario = sim::parseScenario(text, "random.scenario");
  } catch (const sim::ScenarioError& error) {
    std::fprintf(stderr, "the generator wrote an invalid scenario: %s\n%s", error.what(), text.c_str());
    std::abort();
  }
  platform::Renderer renderer;
  sim::RunOptions options;
  // Render one frame in four: enough to reach the renderer with every state, cheap enough to play many.
  int frame = 0;
  options.frames = [&](const std::string&, platform::Nanos, sim::SimPhone& phone) {
    if (frame++ % 4 == 0) phone.renderScreen(renderer);
  };
  fuzzing::RunInvariants invariants;
  options.keptTraceEvents = 4096;  // the invariants read what arrived since the last step
  sim::Runner* running = nullptr;
  options.progress = [&](std::size_t, std::size_t) { invariants.check(running->phone()); };
  sim::Runner runner(scenario, std::move(options));
  running = &runner;
  runner.run();
  invariants.check(runner.phone());
  if (!invariants.violation().empty()) {
    std::fprintf(stderr, "%s\n%s", invariants.violation().c_str(), text.c_str());
    std::abort();
  }
  return 0;
}
