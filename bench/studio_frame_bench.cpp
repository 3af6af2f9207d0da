// What the studio spends on one live frame: the screen drawn at the page's scale, then encoded for the
// page as the studio encodes a stream of frames, mid-fade so that every frame differs from the last.
#include <benchmark/benchmark.h>

#include "bench/bench_phone.h"
#include "platform/graphics/png_codec.h"
#include "platform/graphics/png_frame_encoder.h"
#include "platform/render/renderer.h"
#include "sim/phone/sim_phone.h"

namespace {

void BM_StudioFrame(benchmark::State& state) {
  bench::BenchPhone phone;
  platform::Renderer renderer;
  platform::PngFrameEncoder png;
  benchmark::DoNotOptimize(phone.phone().renderScreen(renderer, 1));
  for (auto _ : state) {
    phone.press(0.016);  // a step, then one frame's time: the slider and the fade are moving
    auto image = phone.phone().renderScreen(renderer, 1);
    benchmark::DoNotOptimize(png.encode(*image));
  }
}

// A whole frame encoded afresh (the first frame a page gets), with the stream's encoder and with libpng.
void BM_StudioFrameEncoding(benchmark::State& state) {
  bench::BenchPhone phone;
  phone.press(0.5);
  platform::Renderer renderer;
  auto image = phone.phone().renderScreen(renderer, 1);
  for (auto _ : state) {
    if (state.range(0) == 0) benchmark::DoNotOptimize(platform::PngFrameEncoder().encode(*image));
    else benchmark::DoNotOptimize(platform::encodePng(*image));
  }
  state.SetLabel(state.range(0) == 0 ? "frame encoder, nothing to reuse" : "libpng defaults");
}

BENCHMARK(BM_StudioFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StudioFrameEncoding)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
