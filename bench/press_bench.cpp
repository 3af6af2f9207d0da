// What a volume press costs on the simulated phone, and the first press after the library is loaded.
#include <benchmark/benchmark.h>

#include "bench/bench_phone.h"

namespace {

// A press while the HUD is already up: the step, the level, the presentation and the colours. Each press
// also lets 50 ms of virtual time pass, so the animations it started complete inside the measurement.
void pressSteadyState(benchmark::State& state, bool dynamicColors, bool literal) {
  bench::BenchPhone phone({.dynamicColors = dynamicColors, .literal = literal});
  for (int i = 0; i < 4; ++i) phone.press();  // the HUD is shown and every cache warm
  for (auto _ : state) phone.press();
}

void BM_PressStaticColours(benchmark::State& state) { pressSteadyState(state, false, false); }
void BM_PressDynamicColours(benchmark::State& state) { pressSteadyState(state, true, false); }
void BM_PressStaticColoursLiteral(benchmark::State& state) { pressSteadyState(state, false, true); }
void BM_PressDynamicColoursLiteral(benchmark::State& state) { pressSteadyState(state, true, true); }

// Loading Tarvo12 into a freshly spawned shell, its launch (controller and views) and the first press.
void firstPress(benchmark::State& state, bool literal) {
  for (auto _ : state) {
    state.PauseTiming();
    auto phone = std::make_unique<bench::BenchPhone>(bench::BenchPhoneOptions{.literal = literal, .launch = false});
    state.ResumeTiming();
    phone->loadAndLaunch();
    phone->press(0);
    state.PauseTiming();
    phone.reset();
    state.ResumeTiming();
  }
}

void BM_FirstPress(benchmark::State& state) { firstPress(state, false); }
void BM_FirstPressLiteral(benchmark::State& state) { firstPress(state, true); }

BENCHMARK(BM_PressStaticColours)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PressDynamicColours)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PressStaticColoursLiteral)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PressDynamicColoursLiteral)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstPress)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPressLiteral)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
