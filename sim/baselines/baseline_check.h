#pragma once
// Judges one rendered frame against its baseline PNG: pass, fail, expected failure or missing. A failure
// leaves the actual frame and a diff image side by side under the results folder; the rebaseline modes
// write baselines instead.
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/graphics/image.h"
#include "sim/baselines/baseline_rules.h"

namespace baselines {

enum class Outcome {
  Pass,
  Fail,
  ExpectedFailure,  // differs, as its rules file says it will, with the reason
  UnexpectedPass,   // matches although marked as an expected failure: the mark is stale (a failure)
  Missing,          // no baseline yet
  Written,          // a rebaseline mode wrote the baseline
};

// Failing rewrites the baselines of failing frames, Missing writes absent ones.
enum class Rebaseline { None, Failing, Missing };

struct BaselineSet {
  std::filesystem::path folder;   // the baselines: FOLDER/FRAME.png
  std::filesystem::path results;  // where actual frames and diffs of failures go: RESULTS/FRAME.actual.png
  Rebaseline mode = Rebaseline::None;
  // The highest folder whose rules file applies; empty: the baselines' own folder.
  std::filesystem::path rulesFrom;
};

struct Verdict {
  Outcome outcome = Outcome::Pass;
  std::string report;  // what happened, with the paths a person opens next
  std::filesystem::path baseline;
  std::filesystem::path actual, diff;  // written for a failure only
};

// `frame` is relative to the set's folder, without ".png" ("shown"). The rules come from the
// baselines.conf files from `rulesFrom` down to the frame's folder, or are given.
Verdict checkFrame(const BaselineSet& set, const std::filesystem::path& frame,
                   const platform::CGImage& actual);
Verdict checkFrame(const BaselineSet& set, const std::filesystem::path& frame,
                   const platform::CGImage& actual, const FrameRules& rules);

// "fail", "missing", ...: the outcome as reports name it.
std::string_view nameOf(Outcome outcome);

}  // namespace baselines
