// Rendering the phone's screen (375 x 812 points at scale 3) with the HUD up over an app showing a photo: a
// whole frame, a frame in which only the HUD changed since the one before, as in a recording of presses,
// and a frame of a recording over the moving video, with the HUD blurring it.
#include <benchmark/benchmark.h>

#include "bench/bench_phone.h"
#include "platform/render/renderer.h"
#include "sim/phone/sim_phone.h"

namespace {

void BM_RenderFrame(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);  // faded in completely
  platform::Renderer renderer;
  // What the simulator draws for a frame: the shell's windows over the app in front, at scale 3. Fonts are
  // resolved, scratch surfaces made and blurs of what did not change kept, as in a run.
  benchmark::DoNotOptimize(phone.phone().renderScreen(renderer));
  for (auto _ : state) {
    renderer.invalidate();  // drawn whole, as the first frame of a run is
    benchmark::DoNotOptimize(phone.phone().renderScreen(renderer));
  }
}

void BM_RenderFirstFrame(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);
  for (auto _ : state) {
    // A renderer of its own each time: its bitmaps, scratch surfaces and blurs are all made afresh.
    platform::Renderer renderer;
    benchmark::DoNotOptimize(phone.phone().renderScreen(renderer));
  }
}

void BM_RenderFrameHudOnly(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);
  platform::Renderer renderer;
  benchmark::DoNotOptimize(phone.phone().renderScreen(renderer));
  for (auto _ : state) {
    // A step up or down moves the slider and the percentage; nothing else on the screen changes.
    state.PauseTiming();
    phone.press(0.5);
    state.ResumeTiming();
    benchmark::DoNotOptimize(phone.phone().renderScreen(renderer));
  }
  state.counters["redrawn_px"] = static_cast<double>(renderer.lastRedrawnPixels());
}

void BM_RenderFrameMovingContent(benchmark::State& state) {
  bench::BenchPhoneOptions options;
  options.content = "video";
  options.blur = true;
  bench::BenchPhone phone(options);
  phone.press(0.5);
  platform::Renderer renderer;
  benchmark::DoNotOptimize(phone.phone().renderScreen(renderer));
  int frame = 0;
  for (auto _ : state) {
    // The next frame of a 60 Hz recording: the video has moved under the HUD, which blurs it again. A press
    // now and then keeps the HUD up.
    state.PauseTiming();
    if (++frame % 60 == 0) phone.press(0);
    phone.device().advance(1.0 / 60);
    state.ResumeTiming();
    benchmark::DoNotOptimize(phone.phone().renderScreen(renderer));
  }
  state.counters["redrawn_px"] = static_cast<double>(renderer.lastRedrawnPixels());
}

BENCHMARK(BM_RenderFrame)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFirstFrame)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFrameHudOnly)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderFrameMovingContent)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
