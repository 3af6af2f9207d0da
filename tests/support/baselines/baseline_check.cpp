#include "support/baselines/baseline_check.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "platform/graphics/png_codec.h"
#include "support/baselines/frame_diff.h"

namespace baselines {

namespace {

namespace fs = std::filesystem;

platform::CGImageRef readPng(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return platform::decodePng(bytes.data(), bytes.size());
}

bool write(const platform::CGImage& image, const fs::path& path) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  return platform::writePng(image, path);
}

std::string sizeOf(const platform::CGImage& image) {
  return std::to_string(image.width()) + "x" + std::to_string(image.height());
}

std::string whatDiffers(const FrameDiff& diff, const FrameRules& rules, const platform::CGImage& actual,
                        const platform::CGImage& expected) {
  if (!diff.sameSize) return "the baseline is " + sizeOf(expected) + ", the frame " + sizeOf(actual);
  std::string text = std::to_string(diff.differing) + " pixels differ by more than " +
                     std::to_string(rules.tolerance) + " (at most " + std::to_string(diff.largestDifference) +
                     ")";
  if (diff.textPixels > 0)
    text += ", " + std::to_string(diff.textDiffering) + " of " + std::to_string(diff.textPixels) +
            " text pixels by more than " + std::to_string(rules.textTolerance);
  return text;
}

}  // namespace

Rebaseline rebaselineFromEnvironment() {
  const char* value = std::getenv("TARVO_REBASELINE");
  std::string mode = value ? value : "";
  if (mode == "failing") return Rebaseline::Failing;
  if (mode == "missing") return Rebaseline::Missing;
  return Rebaseline::None;
}

Verdict checkFrame(const BaselineSet& set, const fs::path& frame, const platform::CGImage& actual) {
  try {
    return checkFrame(set, frame, actual, rulesFor(set.root, frame));
  } catch (const std::runtime_error& e) {
    return {Outcome::Fail, e.what()};
  }
}

Verdict checkFrame(const BaselineSet& set, const fs::path& frame, const platform::CGImage& actual,
                   const FrameRules& rules) {
  fs::path baseline = set.root / frame;
  baseline += ".png";
  fs::path actualPath = set.results / frame, diffPath = set.results / frame;
  actualPath += ".actual.png";
  diffPath += ".diff.png";
  std::error_code ec;
  fs::remove(actualPath, ec);
  fs::remove(diffPath, ec);

  if (!fs::exists(baseline)) {
    if (set.mode == Rebaseline::Missing && write(actual, baseline))
      return {Outcome::Written, "wrote " + baseline.string()};
    return {Outcome::Missing, baseline.string() + " is missing ('make rebaseline-missing' writes it)"};
  }
  platform::CGImageRef expected = readPng(baseline);
  FrameDiff diff;
  if (expected) diff = compareFrames(actual, *expected, rules);
  if (diff.matches) {
    if (rules.expectedFailure)
      return {Outcome::UnexpectedPass, baseline.string() + " matches now, although " +
                                           rules.expectedFailure->where +
                                           " marks it as an expected failure; remove the mark"};
    return {Outcome::Pass, {}};
  }
  if (rules.expectedFailure)
    return {Outcome::ExpectedFailure,
            baseline.string() + " differs, as expected: " + rules.expectedFailure->reason};
  if (set.mode == Rebaseline::Failing && write(actual, baseline))
    return {Outcome::Written, "rewrote " + baseline.string()};

  std::string report =
      baseline.string() + ": " +
      (expected ? whatDiffers(diff, rules, actual, *expected) : std::string("not a readable PNG"));
  if (write(actual, actualPath)) report += "\n  actual: " + actualPath.string();
  if (diff.image && write(*diff.image, diffPath)) report += "\n  diff:   " + diffPath.string();
  return {Outcome::Fail, report};
}

}  // namespace baselines
