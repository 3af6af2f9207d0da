#include "sim/baselines/baseline_check.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "platform/graphics/png_codec.h"
#include "sim/baselines/frame_diff.h"

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

std::string_view nameOf(Outcome outcome) {
  switch (outcome) {
    case Outcome::Pass: return "pass";
    case Outcome::Fail: return "fail";
    case Outcome::ExpectedFailure: return "expected failure";
    case Outcome::UnexpectedPass: return "unexpected pass";
    case Outcome::Missing: return "missing";
    case Outcome::Written: return "written";
  }
  return "fail";
}

Verdict checkFrame(const BaselineSet& set, const fs::path& frame, const platform::CGImage& actual) {
  try {
    if (set.rulesFrom.empty()) return checkFrame(set, frame, actual, rulesFor(set.folder, frame));
    fs::path relative = fs::absolute(set.folder / frame).lexically_normal().lexically_relative(set.rulesFrom);
    return checkFrame(set, frame, actual, rulesFor(set.rulesFrom, relative));
  } catch (const std::runtime_error& e) {
    return {Outcome::Fail, e.what(), {}, {}, {}};
  }
}

Verdict checkFrame(const BaselineSet& set, const fs::path& frame, const platform::CGImage& actual,
                   const FrameRules& rules) {
  fs::path baseline = set.folder / frame;
  baseline += ".png";
  fs::path actualPath = set.results / frame, diffPath = set.results / frame;
  actualPath += ".actual.png";
  diffPath += ".diff.png";
  std::error_code ec;
  fs::remove(actualPath, ec);
  fs::remove(diffPath, ec);

  if (!fs::exists(baseline)) {
    if (set.mode == Rebaseline::Missing && write(actual, baseline))
      return {Outcome::Written, "wrote " + baseline.string(), baseline, {}, {}};
    return {Outcome::Missing, baseline.string() + " is missing ('--rebaseline missing' writes it)", baseline, {}, {}};
  }
  platform::CGImageRef expected = readPng(baseline);
  FrameDiff diff;
  if (expected) diff = compareFrames(actual, *expected, rules);
  if (diff.matches) {
    if (rules.expectedFailure)
      return {Outcome::UnexpectedPass,
              baseline.string() + " matches now, although " + rules.expectedFailure->where +
                  " marks it as an expected failure; remove the mark",
              baseline, {}, {}};
    return {Outcome::Pass, {}, baseline, {}, {}};
  }
  if (rules.expectedFailure)
    return {Outcome::ExpectedFailure, baseline.string() + " differs, as expected: " + rules.expectedFailure->reason,
            baseline, {}, {}};
  if (set.mode == Rebaseline::Failing && write(actual, baseline))
    return {Outcome::Written, "rewrote " + baseline.string(), baseline, {}, {}};

  Verdict verdict{Outcome::Fail,
                  baseline.string() + ": " +
                      (expected ? whatDiffers(diff, rules, actual, *expected) : std::string("not a readable PNG")),
                  baseline, {}, {}};
  if (write(actual, actualPath)) {
    verdict.report += "\n  actual: " + actualPath.string();
    verdict.actual = actualPath;
  }
  if (diff.image && write(*diff.image, diffPath)) {
    verdict.report += "\n  diff:   " + diffPath.string();
    verdict.diff = diffPath;
  }
  return verdict;
}

}  // namespace baselines
