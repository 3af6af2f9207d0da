#pragma once
// Renders compared with PNGs under tests/golden/, the way the examples' frames are compared with theirs
// (TARVO_REBASELINE=failing or =missing writes them; see docs/simulator.md).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/render/renderer.h"
#include "sim/baselines/baseline_check.h"
#include "support/verdict_report.h"

namespace golden {

using namespace platform;

// Text is compared loosely inside these rectangles (points): font rasterisers differ slightly between
// machines.
struct Tolerance {
  int channel = 8;
  int textChannel = 96;
  std::vector<CGRect> textRegions;
};

// `pointScale` turns the text regions' points into pixels.
inline void expectMatchesGolden(const CGImageRef& actual, const std::string& name, const Tolerance& tolerance,
                                double pointScale = 2) {
  ASSERT_TRUE(actual);
  baselines::FrameRules rules;
  rules.tolerance = tolerance.channel;
  rules.textTolerance = tolerance.textChannel;
  for (const CGRect& r : tolerance.textRegions)
    rules.textRegions.push_back({{r.origin.x * pointScale, r.origin.y * pointScale},
                                 {r.size.width * pointScale, r.size.height * pointScale}});
  baselines::BaselineSet set{std::string(TARVO_SOURCE_DIR) + "/tests/golden",
                             std::string(TARVO_BUILD_DIR) + "/baseline-results/golden",
                             baselines::rebaselineFromEnvironment(), {}};
  baselines::report(name, baselines::checkFrame(set, name, *actual, rules));
}

}  // namespace golden
