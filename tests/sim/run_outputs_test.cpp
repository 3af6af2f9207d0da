// What `run` writes, and that every output it could not write is named with its path and ends the run
// with status 2 rather than success or an abort. A run that captures frames also composes the contact
// sheet, so under the leak checker this file also guards the sheet's font selection.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "platform/device/device.h"
#include "sim/verbs/play.h"
#include "sim/output/folder_lock.h"

namespace {

constexpr const char* kScenario =
    "launch\n"
    "at 0.5s press up\n"
    "at 0.9s capture shown\n"
    "at 3.5s capture hidden\n"
    "expect tarvoHUDWindow.hidden == true\n";

struct RunOutputs : ::testing::Test {
  platform::Device scratch;  // only for its private temporary root
  std::filesystem::path scenario = scratch.root() / "quick.scenario";
  std::filesystem::path out = scratch.root() / "out";
  std::ostringstream stdoutText, stderrText;

  void SetUp() override { std::ofstream(scenario) << kScenario; }
  int run() {
    sim::PlayOptions options;
    options.out = out;
    return sim::runScenarioFile(scenario, options, stdoutText, stderrText);
  }
};

TEST_F(RunOutputs, AFullRunWritesFramesSheetAndTrace) {
  EXPECT_EQ(run(), 0) << stderrText.str();
  EXPECT_TRUE(std::filesystem::is_regular_file(out / "frames" / "shown.png"));
  EXPECT_TRUE(std::filesystem::is_regular_file(out / "frames" / "hidden.png"));
  EXPECT_TRUE(std::filesystem::is_regular_file(out / "contact-sheet.png"));
  EXPECT_GT(std::filesystem::file_size(out / "trace.jsonl"), 0u);
  EXPECT_NE(stdoutText.str().find("frames       2 in"), std::string::npos) << stdoutText.str();
}

// Something that is not a file where each output goes: a directory of the same name.
TEST_F(RunOutputs, EachUnwritableOutputIsNamedAndFailsTheRun) {
  struct Case {
    std::filesystem::path blocked;
    const char* framesLine;
  } cases[] = {
      {"trace.jsonl", nullptr},  // nothing is played without a trace
      {"frames/shown.png", "frames       1 in"},
      {"contact-sheet.png", "frames       2 in"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out / c.blocked);
    stdoutText.str("");
    stderrText.str("");
    EXPECT_EQ(run(), 2) << c.blocked;
    EXPECT_NE(stderrText.str().find("cannot write " + (out / c.blocked).string()), std::string::npos)
        << c.blocked << ": " << stderrText.str();
    if (c.framesLine) {
      EXPECT_NE(stdoutText.str().find(c.framesLine), std::string::npos) << stdoutText.str();
    }
  }
}

// Options outside what draws or where to write are bad arguments: status 2, a message, nothing played.
TEST_F(RunOutputs, BadOutputOptionsAreRefused) {
  struct Case {
    std::filesystem::path out;
    std::optional<double> scale;
    const char* message;
  } cases[] = {
      {"", std::nullopt, "--out needs the name of a folder"},
      {"x", 1e-30, "--scale takes a number of pixels per point from 0.01 to 4, not 1e-30"},
      {"x", 4.5, "from 0.01 to 4, not 4.5"},
      {"x", std::nan(""), "from 0.01 to 4, not nan"},
  };
  for (const auto& c : cases) {
    sim::PlayOptions options;
    options.out = c.out.empty() ? c.out : out;
    options.scale = c.scale;
    stderrText.str("");
    EXPECT_EQ(sim::runScenarioFile(scenario, options, stdoutText, stderrText), 2) << c.message;
    EXPECT_NE(stderrText.str().find(c.message), std::string::npos) << stderrText.str();
    EXPECT_FALSE(std::filesystem::exists(out / "trace.jsonl"));
  }
  sim::PlayOptions smallest;
  smallest.out = out;
  smallest.scale = 0.01;  // still draws every frame
  EXPECT_EQ(sim::runScenarioFile(scenario, smallest, stdoutText, stderrText), 0) << stderrText.str();
  EXPECT_TRUE(std::filesystem::is_regular_file(out / "frames" / "shown.png"));
}

// While a run holds a folder, another run into it is refused and leaves the first run's files alone;
// once it lets go, the folder is free again.
TEST_F(RunOutputs, AFolderBelongsToOneRunAtATime) {
  ASSERT_EQ(run(), 0) << stderrText.str();
  std::string before;
  {
    std::ifstream trace(out / "trace.jsonl");
    before.assign(std::istreambuf_iterator<char>(trace), {});
  }
  {
    sim::FolderLock held(out);
    stderrText.str("");
    EXPECT_EQ(run(), 2);
    EXPECT_NE(stderrText.str().find(out.string() + " is in use by another run (process "), std::string::npos)
        << stderrText.str();
    std::ifstream trace(out / "trace.jsonl");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(trace), {}), before);
  }
  EXPECT_EQ(run(), 0) << stderrText.str();
}

}  // namespace
