#include "sim/suite/scenario_check.h"

#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <variant>

#include "sim/output/output_directory.h"
#include "sim/phone/screen_content.h"
#include "sim/play/runner.h"
#include "sim/scenario/parse_scenario.h"

namespace sim::suite {

namespace {

namespace fs = std::filesystem;

// Baselines are drawn at one pixel per point: small files, and a one-point move still shows.
constexpr double kBaselineScale = 1;

std::string read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// A PNG in a scenario's baseline folder that none of its frames makes would pin nothing.
void addStrayBaselines(const fs::path& folder, const std::vector<std::string>& frames, ScenarioResult& result) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    if (entry.path().extension() != ".png") continue;
    std::string stem = entry.path().stem().string();
    if (std::find(frames.begin(), frames.end(), stem) != frames.end()) continue;
    baselines::Verdict verdict{baselines::Outcome::Fail,
                               entry.path().string() + " is the baseline of no frame the scenario makes; delete it",
                               entry.path(), {}, {}};
    result.frames.push_back({stem, std::move(verdict)});
  }
}

void play(const Scenario& scenario, const CheckOptions& options, ScenarioResult& result) {
  std::vector<std::string> frames = comparedFrames(scenario);
  std::set<std::string, std::less<>> wanted(frames.begin(), frames.end());
  fs::path folder = baselineFolder(result.file);
  // Rules files apply from the top of the file system down, whichever folder the suite was named by.
  baselines::BaselineSet set{folder, options.out / "diffs", options.rebaseline, fs::absolute(folder).root_path()};

  std::mutex mutex;  // the verdicts come from the outputs' worker
  std::vector<FrameResult> verdicts;
  OutputOptions output;
  output.frameFiles = FrameFiles::Captures;
  output.scale = kBaselineScale;
  output.inspect = [&](const std::string& name, const platform::CGImage& frame) {
    if (!wanted.count(name)) return;
    baselines::Verdict verdict = baselines::checkFrame(set, name, frame);
    std::lock_guard lock(mutex);
    verdicts.push_back({name, std::move(verdict)});
  };
  RunResult run;
  try {
    OutputDirectory dir(options.out, output);
    RunOptions play;
    play.frames = dir.frameSink();
    play.recordings = dir.recordingSink();
    Runner runner(scenario, std::move(play));
    dir.attachTrace(runner.phone().device());
    run = runner.run();
    runner.phone().device().trace().setSink(nullptr);
    dir.finish(run.end);
    for (const auto& path : dir.failures()) result.problems.push_back("cannot write " + path.string());
  } catch (const std::exception& e) {
    result.problems.push_back(std::string("the run could not write its outputs: ") + e.what());
  }

  result.expectations = run.expectations;
  result.expectationFailures = run.failures;
  // In the order the scenario makes them, whatever order the worker judged them in.
  for (const std::string& name : frames) {
    auto found = std::find_if(verdicts.begin(), verdicts.end(), [&](const FrameResult& f) { return f.name == name; });
    if (found == verdicts.end())
      result.problems.push_back(name + " was never rendered, so it was not compared with its baseline");
    else
      result.frames.push_back(std::move(*found));
  }
  addStrayBaselines(folder, frames, result);
  if (run.expectations == 0 && frames.empty())
    result.problems.push_back(result.file.string() + " checks nothing: it has no expect and no capture");
}

}  // namespace

fs::path baselineFolder(const fs::path& scenarioFile) {
  fs::path folder = scenarioFile;
  return folder.replace_extension();
}

std::vector<std::string> comparedFrames(const Scenario& scenario) {
  std::vector<std::string> frames;
  for (const Step& step : scenario.steps) {
    if (const auto* capture = std::get_if<Capture>(&step.command)) frames.push_back(capture->name);
    if (const auto* record = std::get_if<Record>(&step.command)) {
      std::size_t last = frameCount(*record) - 1;
      for (std::size_t index : {std::size_t{0}, last / 2, last})
        if (frames.empty() || frames.back() != frameName(*record, index)) frames.push_back(frameName(*record, index));
    }
  }
  return frames;
}

ScenarioResult checkScenario(const fs::path& file, const CheckOptions& options) {
  ScenarioResult result;
  result.file = file;
  result.out = options.out;
  try {
    Scenario scenario = loadScenario(file);
    if (isErrorCase(scenario.text)) return checkErrorCase(file, scenario.text, options);
    checkScenarioContent(scenario);
    play(scenario, options, result);
  } catch (const ScenarioError& e) {
    // Line 0: the file could not be read at all; otherwise it was read, and may be an error case.
    if (e.line() > 0) {
      std::string text = read(file);
      if (isErrorCase(text)) return checkErrorCase(file, std::move(text), options);
    }
    result.malformed = describe(e);
  }
  return result;
}

}  // namespace sim::suite
