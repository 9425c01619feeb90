// The preset record's hot paths: validation and the 24-bit accessors.
#include <benchmark/benchmark.h>

#include "CPreset.h"

static void BM_LoadAndValidate(benchmark::State& state) {
  CPreset source;
  source.CreateNew();
  for (int f = Offset::FirstParameter; f <= Offset::LastParameter; f += 4) source.SetValue(f, f % 100);
  source.UpdateChecksum();
  const PresetImage image = source.Image();
  for (auto _ : state) {
    CPreset p;
    benchmark::DoNotOptimize(p.LoadFromByteArray(image));
  }
}
BENCHMARK(BM_LoadAndValidate);

static void BM_ReadAllFields(benchmark::State& state) {
  CPreset p;
  p.CreateNew();
  for (auto _ : state) {
    int32_t sum = 0;
    for (int f = Offset::FirstParameter; f <= Offset::LastParameter; f += 4) sum += p.Value(f);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ReadAllFields);
