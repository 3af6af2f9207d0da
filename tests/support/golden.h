#pragma once
// Renders compared with PNGs under tests/golden/. TARVO_UPDATE_GOLDEN=1 rewrites them instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/graphics/png_codec.h"
#include "platform/render/renderer.h"

namespace golden {

using namespace platform;

// Text is compared loosely inside these rectangles (points): font rasterisers differ slightly between
// machines.
struct Tolerance {
  int channel = 8;
  int textChannel = 96;
  std::vector<CGRect> textRegions;
  double mismatchBudget = 0.005;  // share of pixels allowed beyond tolerance
};

// `pointScale` turns pixels into the points the text regions are given in.
inline void expectMatchesGolden(const CGImageRef& actual, const std::string& name, const Tolerance& tolerance,
                                double pointScale = 2) {
  ASSERT_TRUE(actual);
  std::filesystem::path path = std::filesystem::path(TARVO_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
  const char* update = std::getenv("TARVO_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    ASSERT_TRUE(writePng(*actual, path)) << path;
    return;
  }
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << path << " is missing; run the tests with TARVO_UPDATE_GOLDEN=1 to make it";
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  CGImageRef expected = decodePng(bytes.data(), bytes.size());
  ASSERT_TRUE(expected) << path << " is not a PNG";
  ASSERT_EQ(actual->width(), expected->width());
  ASSERT_EQ(actual->height(), expected->height());
  int mismatches = 0;
  for (int y = 0; y < actual->height(); ++y) {
    for (int x = 0; x < actual->width(); ++x) {
      CGPoint point{(x + 0.5) / pointScale, (y + 0.5) / pointScale};
      bool text = std::any_of(tolerance.textRegions.begin(), tolerance.textRegions.end(),
                              [&](CGRect r) { return CGRectContainsPoint(r, point); });
      int limit = text ? tolerance.textChannel : tolerance.channel;
      RGBA8 a = actual->rgba(x, y), e = expected->rgba(x, y);
      if (std::abs(a.r - e.r) > limit || std::abs(a.g - e.g) > limit || std::abs(a.b - e.b) > limit ||
          std::abs(a.a - e.a) > limit)
        ++mismatches;
    }
  }
  int budget = static_cast<int>(tolerance.mismatchBudget * actual->width() * actual->height());
  if (mismatches > budget) {
    auto saved = std::filesystem::temp_directory_path() / (name + ".actual.png");
    writePng(*actual, saved);
    FAIL() << name << ": " << mismatches << " pixels differ (budget " << budget << "); this render is at "
           << saved;
  }
}

}  // namespace golden
