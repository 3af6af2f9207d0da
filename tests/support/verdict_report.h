#pragma once
// Turns a baseline verdict into what the test run shows: failures fail the test; a missing baseline
// fails it in continuous integration (CI set) and is only listed elsewhere; expected failures and
// written baselines are listed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "sim/baselines/baseline_check.h"

namespace baselines {

// TARVO_REBASELINE=failing rewrites the baselines of failing frames, =missing writes absent ones.
inline Rebaseline rebaselineFromEnvironment() {
  const char* value = std::getenv("TARVO_REBASELINE");
  std::string mode = value ? value : "";
  if (mode == "failing") return Rebaseline::Failing;
  if (mode == "missing") return Rebaseline::Missing;
  return Rebaseline::None;
}

inline bool inContinuousIntegration() {
  const char* ci = std::getenv("CI");
  std::string value = ci ? ci : "";
  return !value.empty() && value != "0" && value != "false";
}

inline void report(const std::string& frame, const Verdict& verdict) {
  switch (verdict.outcome) {
    case Outcome::Pass:
      return;
    case Outcome::Fail:
    case Outcome::UnexpectedPass:
      ADD_FAILURE() << verdict.report;
      return;
    case Outcome::Missing:
      if (inContinuousIntegration())
        ADD_FAILURE() << verdict.report;
      else
        std::cout << "[ MISSING  ] " << frame << ": " << verdict.report << "\n";
      return;
    case Outcome::ExpectedFailure:
      std::cout << "[ XFAIL    ] " << frame << ": " << verdict.report << "\n";
      return;
    case Outcome::Written:
      std::cout << "[ WRITTEN  ] " << verdict.report << "\n";
      return;
  }
}

}  // namespace baselines
