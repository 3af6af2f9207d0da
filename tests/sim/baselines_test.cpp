// The judge of every example frame: if it passed what it should fail, the baselines would pin nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "sim/baselines/baseline_check.h"
#include "sim/baselines/baseline_rules.h"

namespace {

namespace fs = std::filesystem;
using baselines::Outcome;

class TempFolder {
 public:
  TempFolder() : path_(fs::temp_directory_path() / ("tarvo-baselines-" + std::to_string(::getpid()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  void write(const fs::path& relative, const std::string& text) const {
    fs::create_directories((path_ / relative).parent_path());
    std::ofstream(path_ / relative) << text;
  }

 private:
  fs::path path_;
};

TEST(BaselineRules, FoldersInheritAndPatternsNarrow) {
  TempFolder root;
  root.write("baselines.conf",
             "# top\ntolerance 2\ntext 0 0 10 10\nexpected-failure a/x the shadow is square\n");
  root.write("a/baselines.conf", "text-tolerance 50\ntext 5 5 5 5 frames y*\ntext none frames z\n");

  auto x = baselines::rulesFor(root.path(), "a/x");
  EXPECT_EQ(x.tolerance, 2);
  EXPECT_EQ(x.textTolerance, 50);
  EXPECT_EQ(x.textRegions.size(), 1u);
  ASSERT_TRUE(x.expectedFailure);
  EXPECT_EQ(x.expectedFailure->reason, "the shadow is square");
  EXPECT_EQ(x.expectedFailure->where, (root.path() / "baselines.conf").string() + ":4");

  auto y = baselines::rulesFor(root.path(), "a/y-0001");
  EXPECT_EQ(y.textRegions.size(), 2u);
  EXPECT_FALSE(y.expectedFailure);
  EXPECT_TRUE(baselines::rulesFor(root.path(), "a/z").textRegions.empty());
  auto other = baselines::rulesFor(root.path(), "b/x");  // a folder without a file of its own
  EXPECT_EQ(other.textTolerance, 96);
  EXPECT_FALSE(other.expectedFailure);
}

TEST(BaselineRules, MalformedLinesNameTheirFileAndLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"tolerance 300", "'300' is not a channel difference from 0 to 255"},
      {"tolerance", "expected one value after 'tolerance'"},
      {"text-budget 2", "'2' is not a share from 0 to 1"},
      {"text-budget nan", "'nan' is not a share from 0 to 1"},
      {"text 1 2 3", "expected 'text X Y WIDTH HEIGHT"},
      {"text 0 0 -1 5", "a text region needs a positive size"},
      {"text 0 0 5 5 only x", "expected 'frames PATTERN...'"},
      {"expected-failure x", "expected 'expected-failure PATTERN REASON'"},
      {"colour red", "unknown setting 'colour'"},
  };
  for (const auto& [line, message] : cases) {
    TempFolder root;
    root.write("baselines.conf", std::string("\n") + line + "\n");
    try {
      baselines::rulesFor(root.path(), "f");
      ADD_FAILURE() << "no error for " << line;
    } catch (const std::runtime_error& e) {
      std::string where = (root.path() / "baselines.conf").string() + ":2: ";
      EXPECT_EQ(std::string(e.what()).rfind(where + message, 0), 0u) << e.what();
    }
  }
}

platform::CGImageRef square(std::uint32_t corner) {
  std::vector<std::uint32_t> pixels(16, 0xFF2040C0);
  pixels[15] = corner;
  return platform::CGImage::make(4, 4, std::move(pixels));
}

TEST(BaselineVerdicts, MissingWrittenPassFailAndExpectedFailures) {
  TempFolder root;
  baselines::BaselineSet set{root.path() / "examples", root.path() / "results", baselines::Rebaseline::None, {}};
  auto original = square(0xFF2040C0), changed = square(0xFF2041C0);

  EXPECT_EQ(baselines::checkFrame(set, "ex/f", *original).outcome, Outcome::Missing);
  set.mode = baselines::Rebaseline::Missing;
  EXPECT_EQ(baselines::checkFrame(set, "ex/f", *original).outcome, Outcome::Written);
  EXPECT_EQ(baselines::checkFrame(set, "ex/f", *changed).outcome, Outcome::Fail);  // only missing ones

  set.mode = baselines::Rebaseline::None;
  EXPECT_EQ(baselines::checkFrame(set, "ex/f", *original).outcome, Outcome::Pass);
  auto failed = baselines::checkFrame(set, "ex/f", *changed);
  EXPECT_EQ(failed.outcome, Outcome::Fail);
  EXPECT_NE(failed.report.find("1 pixels differ by more than 0 (at most 1)"), std::string::npos)
      << failed.report;
  EXPECT_TRUE(fs::exists(root.path() / "results/ex/f.actual.png"));
  EXPECT_TRUE(fs::exists(root.path() / "results/ex/f.diff.png"));

  // One channel step inside a text region is within its tolerance.
  root.write("examples/ex/baselines.conf", "text 3 3 1 1\n");
  EXPECT_EQ(baselines::checkFrame(set, "ex/f", *changed).outcome, Outcome::Pass);
  EXPECT_FALSE(fs::exists(root.path() / "results/ex/f.diff.png")) << "a pass clears an old failure's images";
  root.write("examples/ex/baselines.conf", "text -1e300 -1e300 1e308 1e308\n");  // far past the frame
  EXPECT_EQ(baselines::checkFrame(set, "ex/f", *changed).outcome, Outcome::Pass);

  root.write("examples/ex/baselines.conf", "expected-failure f drawn before the corners were rounded\n");
  auto expected = baselines::checkFrame(set, "ex/f", *changed);
  EXPECT_EQ(expected.outcome, Outcome::ExpectedFailure);
  EXPECT_NE(expected.report.find("drawn before the corners were rounded"), std::string::npos);
  EXPECT_EQ(baselines::checkFrame(set, "ex/f", *original).outcome, Outcome::UnexpectedPass);

  fs::remove(root.path() / "examples/ex/baselines.conf");
  set.mode = baselines::Rebaseline::Failing;
  EXPECT_EQ(baselines::checkFrame(set, "ex/f", *changed).outcome, Outcome::Written);
  set.mode = baselines::Rebaseline::None;
  EXPECT_EQ(baselines::checkFrame(set, "ex/f", *changed).outcome, Outcome::Pass);
  auto resized = platform::CGImage::make(2, 2, std::vector<std::uint32_t>(4, 0xFF000000));
  auto wrongSize = baselines::checkFrame(set, "ex/f", *resized);
  EXPECT_EQ(wrongSize.outcome, Outcome::Fail);
  EXPECT_NE(wrongSize.report.find("the baseline is 4x4, the frame 2x2"), std::string::npos);
}

}  // namespace
