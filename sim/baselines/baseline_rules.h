#pragma once
// How a frame is compared with its baseline, read from the `baselines.conf` files of the folders above
// it: a folder's file applies to every frame in it and in the folders below, which may change or add to
// it. The format is described in docs/simulator.md.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/geometry.h"

namespace baselines {

inline constexpr const char* kRulesFileName = "baselines.conf";

struct ExpectedFailure {
  std::string reason;
  std::string where;  // "file:line" of the mark, so that a stale mark can be found
};

struct FrameRules {
  int tolerance = 0;         // largest difference per channel (0-255) outside text regions
  int textTolerance = 96;    // the same inside text regions, where fonts may differ between machines
  double textBudget = 0.05;  // share of the text regions' pixels allowed beyond textTolerance
  std::vector<platform::CGRect> textRegions;  // in pixels of the baseline
  std::optional<ExpectedFailure> expectedFailure;
};

// The rules for the frame `frame` (a path relative to `root`, without ".png"), from root's file down to
// the frame's own folder. Throws std::runtime_error("file:line: what is wrong") for a malformed line.
FrameRules rulesFor(const std::filesystem::path& root, const std::filesystem::path& frame);

}  // namespace baselines
