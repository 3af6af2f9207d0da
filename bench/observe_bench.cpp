// What observing the phone costs: a whole HUD snapshot (every field of the table, both icons read from
// their pixels), one field, and the display's outline over a frame (375 x 812 points at scale 3).
#include <benchmark/benchmark.h>

#include "bench/bench_phone.h"
#include "hud/tarvo12.h"
#include "platform/render/damage_region.h"
#include "platform/render/renderer.h"
#include "sim/phone/display_shape.h"
#include "sim/observe/hud_snapshot.h"
#include "sim/phone/sim_phone.h"

namespace {

void BM_HudSnapshot(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);
  for (auto _ : state) benchmark::DoNotOptimize(sim::hudSnapshot(*phone.tarvo()));
}

void BM_HudFieldGlyph(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);
  for (auto _ : state) benchmark::DoNotOptimize(sim::readHudField(*phone.tarvo(), "tarvoHUDMinImageView.glyph"));
}

void BM_HudFieldAlpha(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);
  for (auto _ : state)
    benchmark::DoNotOptimize(sim::readHudField(*phone.tarvo(), "tarvoHUDWindow.presentation.alpha"));
}

// The display's outline laid over every pixel a frame redraws (here all); it is made once per model and
// scale and shared by every phone.
void BM_DisplayShadeApply(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);
  phone.phone().setBareScreen(true);
  platform::Renderer renderer;
  platform::CGImageRef frame = phone.phone().renderScreen(renderer);
  auto shade = sim::displayShade(phone.phone().model(), 3);
  std::vector<std::uint32_t> pixels = frame->pixels();
  const platform::PixelBox whole{0, 0, frame->width(), frame->height()};
  for (auto _ : state) {
    shade->applyTo(pixels.data(), frame->width(), whole);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_HudSnapshot)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HudFieldGlyph)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HudFieldAlpha)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DisplayShadeApply)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace
