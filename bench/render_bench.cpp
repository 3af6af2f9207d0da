// Rendering one frame of the phone's screen (375 x 812 points at scale 3) with the HUD up over an app.
#include <benchmark/benchmark.h>

#include "bench/bench_phone.h"
#include "platform/render/renderer.h"

namespace {

void BM_RenderFrame(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);  // faded in completely
  platform::Renderer renderer;
  benchmark::DoNotOptimize(renderer.renderScreen(phone.device()));  // fonts resolved once, as in a run
  for (auto _ : state) benchmark::DoNotOptimize(renderer.renderScreen(phone.device()));
}

BENCHMARK(BM_RenderFrame)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
