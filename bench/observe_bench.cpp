// What observing the phone costs: a whole HUD snapshot (every field of the table, both icons read from
// their pixels), one field, and the display's outline drawn over a frame (375 x 812 points at scale 3).
#include <benchmark/benchmark.h>

#include "bench/bench_phone.h"
#include "hud/tarvo12.h"
#include "platform/render/renderer.h"
#include "sim/display_shape.h"
#include "sim/hud_snapshot.h"
#include "sim/sim_phone.h"

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

void BM_DisplayOutline(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);
  phone.phone().setBareScreen(true);
  platform::Renderer renderer;
  platform::CGImageRef frame = phone.phone().renderScreen(renderer);
  for (auto _ : state) benchmark::DoNotOptimize(sim::maskToDisplay(frame, phone.phone().model(), 3));
}

BENCHMARK(BM_HudSnapshot)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HudFieldGlyph)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HudFieldAlpha)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DisplayOutline)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
