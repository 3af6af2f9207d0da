#include "sim/suite/test_command.h"

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>

#include "sim/suite/html_report.h"
#include "sim/suite/junit_report.h"
#include "sim/suite/scenario_check.h"
#include "sim/suite/suite_files.h"
#include "sim/suite/suite_run.h"
#include "sim/suite/watch_loop.h"

namespace sim::suite {

namespace {

namespace fs = std::filesystem;
using baselines::Outcome;

// A scenario that runs longer than a day has hung, whatever was asked.
constexpr double kLongestTimeout = 24 * 3600;

const char* labelOf(Result result) {
  switch (result) {
    case Result::Passed: return "PASS";
    case Result::Failed: return "FAIL";
    case Result::ExpectedFailure: return "XFAIL";
    case Result::UnexpectedPass: return "XPASS";
    case Result::MissingBaseline: return "MISSING";
  }
  return "FAIL";
}

std::string indented(const std::string& text) {
  std::string out = "  ";
  for (char c : text) {
    out += c;
    if (c == '\n') out += "  ";
  }
  return out;
}

std::string seconds(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", value);
  return text;
}

fs::path selfExecutable() {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : self;
}

void printResult(const ScenarioResult& r, bool ci, bool quietPasses, std::ostream& out) {
  Result result = r.result(ci);
  for (const auto& frame : r.frames)
    if (frame.verdict.outcome == Outcome::Written) out << "  " << frame.verdict.report << "\n";
  for (const auto& written : r.written) out << "  wrote " << written << "\n";
  if (result == Result::Passed && quietPasses) return;
  out << labelOf(result) << "  " << r.file.generic_string();
  auto kinds = r.failureKinds(ci);
  if (result == Result::Failed && !kinds.empty()) {
    out << " (";
    for (std::size_t i = 0; i < kinds.size(); ++i) out << (i ? ", " : "") << kinds[i];
    out << ")";
  }
  out << "  " << seconds(r.seconds) << "\n";
  if (result != Result::Passed) out << indented(detailsOf(r, ci)) << "\n";
}

std::string summaryOf(const std::vector<ScenarioResult>& results, bool ci) {
  std::size_t passed = 0, failed = 0, skipped = 0, expected = 0;
  for (const auto& r : results) {
    Result result = r.result(ci);
    if (fails(result, ci)) ++failed;
    else if (result == Result::MissingBaseline) ++skipped;
    else if (result == Result::ExpectedFailure) ++expected;
    else ++passed;
  }
  return std::to_string(passed) + " passed, " + std::to_string(failed) + " failed, " + std::to_string(skipped) +
         " skipped, " + std::to_string(expected) + (expected == 1 ? " expected failure" : " expected failures");
}

}  // namespace

int runTests(const TestOptions& options, std::ostream& out, std::ostream& err) {
  SuiteRun run;
  if (!parseRebaseline(options.rebaseline, run.rebaseline)) {
    err << "tarvo12-sim: --rebaseline takes failing or missing, not '" << options.rebaseline << "'\n";
    return 2;
  }
  std::optional<Shard> shard;
  if (options.shard) {
    std::string error;
    shard = parseShard(*options.shard, error);
    if (!shard) {
      err << "tarvo12-sim: " << error << "\n";
      return 2;
    }
  }
  if (options.jobs && *options.jobs == 0) {
    err << "tarvo12-sim: -j takes a number of scenarios at once, at least 1\n";
    return 2;
  }
  if (!(options.timeout > 0 && options.timeout <= kLongestTimeout)) {
    err << "tarvo12-sim: --timeout takes seconds above 0 and at most " << kLongestTimeout << "\n";
    return 2;
  }
  if (options.out.empty()) {
    err << "tarvo12-sim: --out needs a folder\n";
    return 2;
  }
  run.simulator = options.simulator.empty() ? selfExecutable() : options.simulator;
  run.out = options.out;
  run.jobs = options.jobs.value_or(std::max(1u, std::thread::hardware_concurrency()));
  run.timeout = std::chrono::milliseconds(static_cast<long long>(std::ceil(options.timeout * 1000)));
  bool ci = inContinuousIntegration();
  std::vector<fs::path> paths = options.paths.empty() ? std::vector<fs::path>{"."} : options.paths;

  auto select = [&]() {
    std::vector<fs::path> files = findScenarios(paths);
    if (shard) files = shardOf(files, *shard);
    return filtered(files, options.filter);
  };
  std::vector<fs::path> files;
  try {
    files = select();
    if (findScenarios(paths).empty()) {
      err << "tarvo12-sim: no .scenario files in " << paths.front().string() << (paths.size() > 1 ? " ..." : "") << "\n";
      return 2;
    }
  } catch (const std::exception& e) {
    err << "tarvo12-sim: " << e.what() << "\n";
    return 2;
  }

  bool terminal = options.progress && isatty(STDERR_FILENO);
  std::vector<ScenarioResult> all;  // the latest result of every file checked, in file order
  auto play = [&](const std::vector<fs::path>& chosen) {
    auto started = std::chrono::steady_clock::now();
    std::size_t failing = 0;
    run.finished = [&](std::size_t done, std::size_t total, const ScenarioResult& r) {
      if (fails(r.result(ci), ci)) ++failing;
      if (terminal) err << "\r\033[K" << std::flush;
      printResult(r, ci, terminal, out);
      out << std::flush;
      if (terminal && done < total)
        err << "[" << done << "/" << total << "] " << failing << " failed  " << r.file.generic_string() << std::flush;
    };
    std::vector<ScenarioResult> results = runSuite(chosen, run);
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    for (auto& r : results) {
      auto same = std::find_if(all.begin(), all.end(), [&](const ScenarioResult& a) { return a.file == r.file; });
      if (same != all.end()) *same = std::move(r);
      else all.push_back(std::move(r));
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.file < b.file; });
    int status = 0;
    for (const auto& r : all)
      if (fails(r.result(ci), ci)) status = 1;
    try {
      if (options.junit) {
        std::ofstream file(*options.junit, std::ios::trunc);
        writeJunit(file, all, ci);
        if (!file.flush()) throw std::runtime_error("cannot write " + options.junit->string());
        out << "junit    " << options.junit->string() << "\n";
      }
      if (options.report) {
        auto writing = std::chrono::steady_clock::now();
        fs::path page = writeHtmlReport(*options.report, all, ci);
        double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - writing).count();
        std::error_code ec;
        char size[32];
        std::snprintf(size, sizeof size, "%.1f MB", static_cast<double>(fs::file_size(page, ec)) / 1e6);
        out << "report   " << page.string() << " (" << size << ", written in " << seconds(took) << ")\n";
      }
    } catch (const std::exception& e) {
      err << "tarvo12-sim: " << e.what() << "\n";
      status = 2;
    }
    out << "ran " << chosen.size() << (chosen.size() == 1 ? " scenario in " : " scenarios in ") << seconds(wall) << ", " << run.jobs << " at once; outputs in "
        << run.out.string() << "\n";
    out << summaryOf(all, ci) << "\n" << std::flush;
    return status;
  };

  int status = play(files);
  if (!options.watch) return status;
  std::vector<fs::path> leftOut{run.out};
  if (options.report) leftOut.push_back(*options.report);
  return watchAndRerun(paths, leftOut, select, play, status, out, err);
}

int runScenarioCheck(const fs::path& scenario, const fs::path& out, const std::string& rebaseline, std::ostream& err) {
  CheckOptions options;
  options.out = out;
  if (!parseRebaseline(rebaseline, options.rebaseline)) {
    err << "tarvo12-sim: --rebaseline takes failing or missing, not '" << rebaseline << "'\n";
    return 2;
  }
  ScenarioResult result = checkScenario(scenario, options);
  std::error_code ec;
  fs::create_directories(out, ec);
  std::ofstream file(out / kResultFile, std::ios::trunc);
  file << toJson(result);
  if (!file.flush()) {
    err << "tarvo12-sim: cannot write " << (out / kResultFile).string() << "\n";
    return 2;
  }
  return 0;
}

}  // namespace sim::suite
