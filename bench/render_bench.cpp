// Rendering one frame of the phone's screen (375 x 812 points at scale 3) with the HUD up over an app.
#include <benchmark/benchmark.h>

#include "bench/bench_phone.h"
#include "platform/render/renderer.h"
#include "sim/sim_phone.h"

namespace {

void BM_RenderFrame(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);  // faded in completely
  platform::Renderer renderer;
  // What the simulator draws for a frame: the shell's windows over the app in front, at scale 3. Fonts are
  // resolved once, as in a run.
  benchmark::DoNotOptimize(phone.phone().renderScreen(renderer));
  for (auto _ : state) benchmark::DoNotOptimize(phone.phone().renderScreen(renderer));
}

BENCHMARK(BM_RenderFrame)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
