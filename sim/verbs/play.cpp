#include <cstdio>
#include <fstream>
#include <unistd.h>

#include "hud/hud_caches.h"
#include "sim/phone/phone_options.h"
#include "sim/verbs/play.h"
#include "sim/play/demo_scenario.h"
#include "sim/output/output_directory.h"
#include "sim/output/trace_timeline.h"
#include "sim/phone/screen_content.h"
#include "sim/scenario/parse_scenario.h"

namespace sim {

namespace {

// A draft needs fewer pixels, not more than a screen could have; below the smallest, the smallest screen
// (320 points wide) would be drawn at fewer than three pixels a side.
constexpr double kSmallestScale = 0.01;
constexpr double kLargestScale = 4;

// The file --timeline names, with the timeline streaming into it.
struct TimelineFile {
  std::ofstream file;
  std::optional<TraceTimeline> timeline;

  bool open(const std::filesystem::path& path, const std::filesystem::path& trace, std::ostream& err) {
    std::error_code pathError, traceError;
    auto resolved = std::filesystem::weakly_canonical(path, pathError);
    auto traceResolved = std::filesystem::weakly_canonical(trace, traceError);
    if (path.empty() || (!pathError && !traceError && resolved == traceResolved)) {
      err << "tarvo12-sim: --timeline needs the name of a file other than the trace's, not '" << path.string()
          << "'\n";
      return false;
    }
    file.open(path, std::ios::trunc);
    if (!file) {
      err << "tarvo12-sim: cannot write " << path.string() << "\n";
      return false;
    }
    timeline.emplace(file);
    return true;
  }
  void finish(platform::Nanos end) {
    timeline->finish(end);
    file.close();
  }
};

int play(const Scenario& scenario, const PlayOptions& options, std::ostream& out, std::ostream& err) {
  checkScenarioContent(scenario);
  RunOptions run;
  if (!readDeviceOption(options.device, run.model, err) || !checkSettingsOption(options.settings, err)) return 2;
  run.settings = options.settings;
  OutputOptions output;
  if (options.frames == "captures") output.frameFiles = FrameFiles::Captures;
  else if (options.frames == "none") output.frameFiles = FrameFiles::None;
  else if (options.frames != "all") {
    err << "tarvo12-sim: --frames takes all, captures or none, not '" << options.frames << "'\n";
    return 2;
  }
  if (options.scale && !(*options.scale >= kSmallestScale && *options.scale <= kLargestScale)) {
    err << "tarvo12-sim: --scale takes a number of pixels per point from " << kSmallestScale << " to "
        << kLargestScale << ", not " << *options.scale << "\n";
    return 2;
  }
  if (options.out.empty()) {
    err << "tarvo12-sim: --out needs the name of a folder (an empty one would write into the current folder)\n";
    return 2;
  }
  output.scale = options.scale;
  output.filmFps = options.filmFps;
  output.filmName = options.filmName;
  std::optional<OutputDirectory> dir;
  try {
    dir.emplace(options.out, output);
  } catch (const std::exception& e) {
    err << "tarvo12-sim: " << e.what() << "\n";
    return 2;
  }
  TimelineFile timeline;
  if (options.timeline && !timeline.open(*options.timeline, dir->tracePath(), err)) return 2;
  if (timeline.timeline) run.traceObserver = [&timeline](const platform::TraceEvent& e) { timeline.timeline->observe(e); };
  run.frames = dir->frameSink();
  run.recordings = dir->recordingSink();
  run.film = dir->film();
  if (options.progress && isatty(STDERR_FILENO))
    run.progress = [&err](std::size_t done, std::size_t total) {
      err << "\r  playing " << done << "/" << total << (done == total ? "\n" : "") << std::flush;
    };
  Runner runner(scenario, std::move(run));
  tarvo::HudCaches::of(runner.phone().springBoard()).setEnabled(!options.literal);
  runner.phone().setBareScreen(options.bare);
  try {
    dir->attachTrace(runner.phone().device());
  } catch (const std::exception& e) {
    err << "tarvo12-sim: " << e.what() << "\n";
    return 2;
  }
  RunResult result = runner.run();
  runner.phone().device().trace().setSink(nullptr);
  auto sheet = dir->finish(result.end);
  if (timeline.timeline) timeline.finish(result.end);

  const auto& model = runner.phone().model();
  out << "scenario     " << scenario.file << "\n";
  out << "device       " << model.identifier << " (" << model.marketingName << ", " << model.width << " x "
      << model.height << " @" << model.scale << "x)\n";
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.2fs", platform::nanosToSeconds(result.end));
  out << "played       " << scenario.steps.size() << " steps over " << seconds << "\n";
  out << "frames       " << dir->framesWritten() << " in " << (dir->path() / "frames").string() << "\n";
  if (!sheet.empty()) out << "contact      " << sheet.string() << "\n";
  for (const auto& recording : dir->recordingsWritten()) out << "recording    " << recording.string() << "\n";
  if (options.filmFps) out << "film         " << dir->filmPath().string() << "\n";
  out << "trace        " << dir->tracePath().string() << " (" << runner.phone().device().trace().recorded()
      << " events)\n";
  if (options.timeline) out << "timeline     " << options.timeline->string() << "\n";
  out << "expectations " << result.expectations - result.failures.size() << " passed, " << result.failures.size()
      << " failed\n";
  for (const auto& failure : result.failures) err << failure << "\n";
  auto unwritten = dir->failures();
  if (timeline.timeline && !timeline.file) unwritten.push_back(*options.timeline);
  for (const auto& path : unwritten) err << "tarvo12-sim: cannot write " << path.string() << "\n";
  if (!unwritten.empty()) return 2;
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
    PlayOptions demo = options;
    if (!demo.timeline) demo.timeline = demo.out / "timeline.json";  // beside trace.jsonl
    return play(scenario, demo, out, err);
  } catch (const ScenarioError& e) {
    err << describe(e) << "\n";
    return 2;
  }
}

}  // namespace sim
