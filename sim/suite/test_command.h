#pragma once
// `tarvo12-sim test`: a folder of scenarios as a regression suite. Each scenario is checked in a process
// of its own, in parallel, against the baselines beside it; the results go to the terminal (the last line
// "N passed, N failed, N skipped, N expected failures"), and on request to a JUnit file and an HTML report.
// Exit status: 0 when nothing failed, 1 when something did, 2 on bad arguments.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sim::suite {

struct TestOptions {
  std::vector<std::filesystem::path> paths;  // files and folders; none: the current folder
  std::optional<std::size_t> jobs;           // nothing: the number of cores
  std::optional<std::filesystem::path> junit;
  std::optional<std::filesystem::path> report;  // a folder for index.html
  std::string rebaseline;                      // "", "failing" or "missing"
  std::optional<std::string> shard;            // "K/N"
  std::string filter;
  bool watch = false;
  double timeout = 60;  // seconds per scenario
  std::filesystem::path out = "out/test";
  std::filesystem::path simulator;  // what each check runs in; empty: this very executable
  bool progress = false;            // a progress line, when standard error is a terminal
};

int runTests(const TestOptions& options, std::ostream& out, std::ostream& err);

// The hidden verb each check runs: checks one scenario and writes OUT/result.json. Exit status 0 once the
// result is written, whatever it says; 2 when it could not be.
int runScenarioCheck(const std::filesystem::path& scenario, const std::filesystem::path& out,
                     const std::string& rebaseline, std::ostream& err);

}  // namespace sim::suite
