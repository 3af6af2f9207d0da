#include <cstdio>
#include <unistd.h>

#include "hud/hud_caches.h"
#include "sim/command_options.h"
#include "sim/commands.h"
#include "sim/demo_scenario.h"
#include "sim/output_directory.h"
#include "sim/scenario/parse_scenario.h"

namespace sim {

namespace {

int play(const Scenario& scenario, const PlayOptions& options, std::ostream& out, std::ostream& err) {
  RunOptions run;
  if (!readDeviceOption(options.device, run.model, err) || !checkSettingsOption(options.settings, err)) return 2;
  run.settings = options.settings;
  std::optional<OutputDirectory> dir;
  try {
    dir.emplace(options.out);
  } catch (const std::exception& e) {
    err << "tarvo12-sim: " << e.what() << "\n";
    return 2;
  }
  run.frames = dir->frameSink();
  if (options.progress && isatty(STDERR_FILENO))
    run.progress = [&err](std::size_t done, std::size_t total) {
      err << "\r  playing " << done << "/" << total << (done == total ? "\n" : "") << std::flush;
    };
  Runner runner(scenario, std::move(run));
  tarvo::HudCaches::of(runner.phone().springBoard()).setEnabled(!options.literal);
  runner.phone().setBareScreen(options.bare);
  dir->attachTrace(runner.phone().device());
  RunResult result = runner.run();
  runner.phone().device().trace().setSink(nullptr);
  auto sheet = dir->writeContactSheet();

  const auto& model = runner.phone().model();
  out << "scenario     " << scenario.file << "\n";
  out << "device       " << model.identifier << " (" << model.marketingName << ", " << model.width << " x "
      << model.height << " @" << model.scale << "x)\n";
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2fs", platform::nanosToSeconds(result.end));
  out << "played       " << scenario.steps.size() << " steps over " << seconds << "\n";
  out << "frames       " << dir->framesWritten() << " in " << (dir->path() / "frames").string() << "\n";
  if (!sheet.empty()) out << "contact      " << sheet.string() << "\n";
  out << "trace        " << dir->tracePath().string() << " (" << runner.phone().device().trace().recorded()
      << " events)\n";
  out << "expectations " << result.expectations - result.failures.size() << " passed, " << result.failures.size()
      << " failed\n";
  for (const auto& failure : result.failures) err << failure << "\n";
  return result.passed() ? 0 : 1;
}

}  // namespace

int runScenarioFile(const std::filesystem::path& path, const PlayOptions& options, std::ostream& out,
                    std::ostream& err) {
  try {
    Scenario scenario = loadScenario(path);
    return play(scenario, options, out, err);
  } catch (const ScenarioError& e) {
    err << describe(e) << "\n";
    return 2;
  }
}

int runDemo(const PlayOptions& options, std::ostream& out, std::ostream& err) {
  try {
    Scenario scenario = parseScenario(demoScenarioText(), "demo");
    return play(scenario, options, out, err);
  } catch (const ScenarioError& e) {
    err << describe(e) << "\n";
    return 2;
  }
}

}  // namespace sim
