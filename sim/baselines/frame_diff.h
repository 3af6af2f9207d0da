#pragma once
// Compares a rendered frame with its baseline pixel by pixel and draws where they differ.
#include <cstddef>

#include "platform/graphics/image.h"
#include "sim/baselines/baseline_rules.h"

namespace baselines {

struct FrameDiff {
  bool sameSize = false;
  std::size_t differing = 0;      // pixels beyond `tolerance` outside text regions
  std::size_t textDiffering = 0;  // pixels beyond `textTolerance` inside text regions
  std::size_t textPixels = 0;
  std::size_t largestDifference = 0;  // on any channel, outside text regions
  bool matches = false;
  // The actual frame washed out, with differing pixels red (orange inside text regions) and text
  // regions tinted blue; nothing when the sizes differ.
  platform::CGImageRef image;
};

FrameDiff compareFrames(const platform::CGImage& actual, const platform::CGImage& expected,
                        const FrameRules& rules);

}  // namespace baselines
