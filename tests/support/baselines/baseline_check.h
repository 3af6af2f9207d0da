#pragma once
// Judges one rendered frame against its baseline PNG: pass, fail, expected failure or missing. A failure
// leaves the actual frame and a diff image side by side under the results folder; the rebaseline modes
// write baselines instead.
#include <filesystem>
#include <string>

#include "platform/graphics/image.h"
#include "support/baselines/baseline_rules.h"

namespace baselines {

enum class Outcome {
  Pass,
  Fail,
  ExpectedFailure,  // differs, as its rules file says it will, with the reason
  UnexpectedPass,   // matches although marked as an expected failure: the mark is stale (a failure)
  Missing,          // no baseline yet
  Written,          // a rebaseline mode wrote the baseline
};

// TARVO_REBASELINE=failing rewrites the baselines of failing frames, =missing writes absent ones.
enum class Rebaseline { None, Failing, Missing };
Rebaseline rebaselineFromEnvironment();

struct BaselineSet {
  std::filesystem::path root;     // baselines and their rules files
  std::filesystem::path results;  // where actual frames and diffs of failures go
  Rebaseline mode = Rebaseline::None;
};

struct Verdict {
  Outcome outcome = Outcome::Pass;
  std::string report;  // what happened, with the paths a person opens next
};

// `frame` is relative to the set's root, without ".png" ("quick-look/shown"). The rules come from the
// set's baselines.conf files, or are given.
Verdict checkFrame(const BaselineSet& set, const std::filesystem::path& frame,
                   const platform::CGImage& actual);
Verdict checkFrame(const BaselineSet& set, const std::filesystem::path& frame,
                   const platform::CGImage& actual, const FrameRules& rules);

}  // namespace baselines
