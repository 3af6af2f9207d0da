// Reading a settings file of 100,000 keys (about 4 MB of XML, 3.9 MB binary): the shell reads its settings at launch and
// on every settings-changed notification, on its main thread, so loading must stay linear in the keys.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "platform/device/device.h"
#include "platform/foundation/plist_file.h"
#include "support/hostile_plists.h"

namespace {

void BM_ParseHundredThousandKeys(benchmark::State& state) {
  const std::string xml = testing_support::wideXml(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(platform::parsePlistDictionary(xml));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}

void BM_ParseHundredThousandKeysBinary(benchmark::State& state) {
  const std::string bytes = testing_support::wideBinary(static_cast<std::uint32_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(platform::parsePlistDictionary(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The whole read, from the file on disk, as the settings loader does it.
void BM_ReadHundredThousandKeyFile(benchmark::State& state) {
  platform::Device device;  // for its private temporary root
  const auto path = device.root() / "wide.plist";
  std::ofstream(path, std::ios::binary) << testing_support::wideXml(100'000);
  for (auto _ : state) benchmark::DoNotOptimize(platform::readPlistDictionary(path));
}

BENCHMARK(BM_ParseHundredThousandKeys)->Arg(25'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseHundredThousandKeysBinary)->Arg(25'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadHundredThousandKeyFile)->Unit(benchmark::kMillisecond);

}  // namespace
