// Frames drawn over earlier ones, redrawing only what changed, must be the very frames a full redraw makes.
// Every example is played twice over: its own captures and recordings at the device's scale, and the whole
// run filmed at one pixel per point; some frames are held a while, so that the reused bitmaps lag several
// frames behind and what changed over those frames must add up.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "platform/render/renderer.h"
#include "sim/play/runner.h"
#include "support/examples.h"
#include "sim/scenario/parse_scenario.h"

namespace {

constexpr int kFilmFps = 8;


// Draws each frame with a tracking renderer and afresh, and compares them.
class Checker {
 public:
  explicit Checker(std::optional<double> scale) : scale_(scale) {}

  void check(const std::string& what, sim::SimPhone& phone) {
    platform::CGImageRef image = render(tracked_, phone);
    fresh_.invalidate();
    platform::CGImageRef full = render(fresh_, phone);
    ASSERT_TRUE(image && full) << what;
    ++frames_;
    if (tracked_.lastRedrawnPixels() < std::int64_t{image->width()} * image->height()) ++patched_;
    ASSERT_EQ(image->width(), full->width()) << what;
    ASSERT_EQ(image->height(), full->height()) << what;
    if (image->pixels() != full->pixels()) {
      for (int y = 0; y < full->height(); ++y)
        for (int x = 0; x < full->width(); ++x)
          if (image->pixel(x, y) != full->pixel(x, y)) {
            FAIL() << what << ": first differing pixel at " << x << "," << y << std::hex << ": " << image->pixel(x, y)
                   << " instead of " << full->pixel(x, y);
          }
    }
    held_.push_back(image);
    while (held_.size() > frames_ % 3) held_.pop_front();
  }

  std::size_t frames() const { return frames_; }
  std::size_t patched() const { return patched_; }

 private:
  platform::CGImageRef render(platform::Renderer& renderer, sim::SimPhone& phone) {
    return scale_ ? phone.renderScreen(renderer, *scale_) : phone.renderScreen(renderer);
  }

  std::optional<double> scale_;
  platform::Renderer tracked_;
  platform::Renderer fresh_;
  std::deque<platform::CGImageRef> held_;
  std::size_t frames_ = 0;
  std::size_t patched_ = 0;
};

class DamageTracking : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(DamageTracking, EveryFrameEqualsAFullRedraw) {
  sim::Scenario scenario = sim::loadScenario(GetParam());
  Checker captures(std::nullopt);
  Checker film(1.0);
  sim::RunOptions options;
  options.frames = [&](const std::string& name, platform::Nanos, sim::SimPhone& phone) {
    captures.check(name, phone);
  };
  options.film = sim::Film{kFilmFps, [&](platform::Nanos time, sim::SimPhone& phone) {
                             film.check("film at " + std::to_string(platform::nanosToSeconds(time)) + "s", phone);
                           }};
  sim::Runner runner(scenario, std::move(options));
  runner.run();
  EXPECT_GT(film.frames(), 0u);
  // Most of a run shows the same screen or a HUD over it: far from every frame is drawn whole.
  EXPECT_GE(film.patched() * 3, film.frames()) << film.patched() << " of " << film.frames();
}

INSTANTIATE_TEST_SUITE_P(Examples, DamageTracking, ::testing::ValuesIn(examples::scenarioFiles()),
                         [](const ::testing::TestParamInfo<std::filesystem::path>& example) {
                           return examples::testNameOf(example.param);
                         });

}  // namespace
