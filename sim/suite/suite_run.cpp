#include "sim/suite/suite_run.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "sim/suite/child_process.h"
#include "sim/suite/suite_files.h"

namespace sim::suite {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A result file larger than this was not written by a check.
constexpr std::uintmax_t kLargestResultFile = 64 << 20;

struct Running {
  std::size_t index;
  fs::path out;
  Clock::time_point started;
  std::unique_ptr<ChildProcess> child;
};

std::string read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The last lines of a log, for a check that ended without a result.
std::string tail(const fs::path& log) {
  constexpr int kLines = 12;
  std::string text = read(log);
  std::size_t from = text.size();
  for (int lines = 0; lines <= kLines; ++lines) {
    if (from == 0) return text;
    from = text.rfind('\n', from - 1);
    if (from == std::string::npos) return text;
  }
  return text.substr(from + 1);
}

ScenarioResult collect(const fs::path& file, Running& running, bool timedOut) {
  fs::path resultPath = running.out / kResultFile;
  std::error_code ec;
  std::optional<ScenarioResult> result;
  if (!timedOut && fs::file_size(resultPath, ec) <= kLargestResultFile && !ec) result = resultFromJson(read(resultPath));
  ScenarioResult r = result ? std::move(*result) : ScenarioResult{};
  r.file = file;
  r.out = running.out;
  r.seconds = std::chrono::duration<double>(Clock::now() - running.started).count();
  if (timedOut) {
    r.timedOut = true;
  } else if (!result) {
    std::string ending = running.child->ending();
    r.crashed = (ending.empty() ? "ended without a result" : ending) + "; the end of its log (" +
                (running.out / "check.log").string() + "):\n" + tail(running.out / "check.log");
  }
  return r;
}

}  // namespace

std::vector<ScenarioResult> runSuite(const std::vector<fs::path>& files, const SuiteRun& run) {
  std::vector<ScenarioResult> results(files.size());
  std::vector<Running> running;
  std::size_t next = 0, done = 0;
  auto finish = [&](Running& r, bool timedOut) {
    results[r.index] = collect(files[r.index], r, timedOut);
    ++done;
    if (run.finished) run.finished(done, files.size(), results[r.index]);
  };
  while (done < files.size()) {
    while (next < files.size() && running.size() < std::max<std::size_t>(run.jobs, 1)) {
      Running r{next, outputFolderOf(run.out, files[next]), Clock::now(), nullptr};
      std::error_code ec;
      fs::create_directories(r.out, ec);
      fs::remove(r.out / kResultFile, ec);  // never read a result an earlier run left
      std::vector<std::string> argv{run.simulator.string(), kCheckVerb, files[next].string(), "--out", r.out.string()};
      if (run.rebaseline != baselines::Rebaseline::None) {
        argv.emplace_back("--rebaseline");
        argv.emplace_back(nameOf(run.rebaseline));
      }
      ++next;
      try {
        r.child = std::make_unique<ChildProcess>(argv, r.out / "check.log");
      } catch (const std::exception& e) {
        ScenarioResult failed;
        failed.file = files[r.index];
        failed.out = r.out;
        failed.crashed = e.what();
        results[r.index] = std::move(failed);
        ++done;
        if (run.finished) run.finished(done, files.size(), results[r.index]);
        continue;
      }
      running.push_back(std::move(r));
    }
    if (running.empty()) continue;
    auto now = Clock::now();
    auto soonest = running.front().started + run.timeout;
    std::vector<ChildProcess*> children;
    for (auto& r : running) {
      soonest = std::min(soonest, r.started + run.timeout);
      children.push_back(r.child.get());
    }
    waitForAny(children, std::chrono::duration_cast<std::chrono::milliseconds>(soonest - now) +
                             std::chrono::milliseconds(1));
    now = Clock::now();
    for (std::size_t i = 0; i < running.size();) {
      Running& r = running[i];
      bool ended = r.child->ended();
      bool late = !ended && now >= r.started + run.timeout;
      if (!ended && !late) {
        ++i;
        continue;
      }
      if (late) r.child->kill();
      finish(r, late);
      running.erase(running.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  return results;
}

bool parseRebaseline(const std::string& text, baselines::Rebaseline& mode) {
  if (text == "failing") mode = baselines::Rebaseline::Failing;
  else if (text == "missing") mode = baselines::Rebaseline::Missing;
  else if (text.empty()) mode = baselines::Rebaseline::None;
  else return false;
  return true;
}

std::string_view nameOf(baselines::Rebaseline mode) {
  switch (mode) {
    case baselines::Rebaseline::Failing: return "failing";
    case baselines::Rebaseline::Missing: return "missing";
    case baselines::Rebaseline::None: return "";
  }
  return "";
}

bool inContinuousIntegration() {
  const char* ci = std::getenv("CI");
  std::string value = ci ? ci : "";
  return !value.empty() && value != "0" && value != "false";
}

}  // namespace sim::suite
