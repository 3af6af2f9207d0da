// The suite's runner over checking processes that misbehave, and the split of a suite into shards.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <set>

#include "sim/suite/suite_files.h"
#include "sim/suite/suite_run.h"
#include "support/examples.h"

namespace {

namespace fs = std::filesystem;
using namespace sim::suite;

struct TempFolder {
  fs::path path = fs::temp_directory_path() / ("tarvo-suite-run-" + std::to_string(::getpid()));
  TempFolder() {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempFolder() { fs::remove_all(path); }
  fs::path write(const std::string& name, const std::string& text, bool executable = false) const {
    std::ofstream(path / name) << text;
    if (executable) fs::permissions(path / name, fs::perms::owner_all);
    return path / name;
  }
};

// A stand-in for the simulator that does one thing wrong instead of checking; the outcome a run must report.
TEST(SuiteRun, AChildThatDoesNotFinishFailsItsScenarioAlone) {
  struct Case {
    const char* script;
    const char* crashed;  // how the result must begin; empty: no crash
    bool timedOut;
  } cases[] = {
      {"kill -SEGV $$", "killed by SIGSEGV", false},
      {"exit 3", "exited with status 3", false},
      {"exit 0", "ended without a result", false},
      {"exec sleep 30", "", true},
      // A result file that is not one counts as none.
      {"mkdir -p \"$4\" && echo '{\"file\": 1}' > \"$4/result.json\"", "ended without a result", false},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    fs::path fake = folder.write("fake-sim", std::string("#!/bin/sh\n") + c.script + "\n", true);
    fs::path scenario = folder.write("a.scenario", "wait 1s\n");
    SuiteRun run;
    run.simulator = fake;
    run.out = folder.path / "out";
    run.timeout = std::chrono::milliseconds(300);
    auto results = runSuite({scenario}, run);
    ASSERT_EQ(results.size(), 1u);
    const ScenarioResult& r = results[0];
    EXPECT_EQ(r.result(false), Result::Failed) << c.script;
    EXPECT_EQ(r.timedOut, c.timedOut) << c.script;
    EXPECT_EQ(r.crashed.rfind(c.crashed, 0), 0u) << c.script << ": " << r.crashed;
    EXPECT_EQ(r.crashed.empty(), std::string(c.crashed).empty()) << c.script;
  }
}

TEST(SuiteFiles, ShardsHoldEveryFileOnce) {
  std::vector<fs::path> suite = findScenarios({examples::root()});
  ASSERT_GT(suite.size(), 100u);
  for (std::size_t count : {1, 2, 3, 7, 1000}) {
    std::multiset<fs::path> seen;
    for (std::size_t index = 1; index <= count; ++index) {
      auto share = shardOf(suite, {index, count});
      EXPECT_EQ(share, shardOf(findScenarios({examples::root()}), {index, count})) << "the same on every machine";
      seen.insert(share.begin(), share.end());
    }
    EXPECT_EQ(std::vector<fs::path>(seen.begin(), seen.end()), suite) << count << " shards";
  }
}

TEST(SuiteFiles, BadShardsAndPathsAreRefused) {
  for (const char* text : {"", "1", "0/2", "3/2", "1/0", "a/b", "1/2/3", "-1/2", "1 /2", "99999999999999999999/1"}) {
    std::string error;
    EXPECT_FALSE(parseShard(text, error)) << text;
    EXPECT_NE(error.find("--shard takes K/N"), std::string::npos) << text;
  }
  std::string error;
  auto shard = parseShard("2/3", error);
  ASSERT_TRUE(shard);
  EXPECT_EQ(shard->index, 2u);
  EXPECT_EQ(shard->count, 3u);
  EXPECT_THROW(findScenarios({examples::root() / "no-such-folder"}), std::runtime_error);
  EXPECT_THROW(findScenarios({examples::root() / "baselines.conf"}), std::runtime_error);
  // A file named twice, or also inside a folder named, is checked once.
  auto file = examples::root() / "quick-look.scenario";
  EXPECT_EQ(findScenarios({file, file}).size(), 1u);
  EXPECT_EQ(findScenarios({examples::root(), file}).size(), findScenarios({examples::root()}).size());
}

}  // namespace
