// MIDI transfers through a real stack: the CPU that lindel-cli burns while it
// waits for a dump that never comes (target: under 0.1 s in 10 s), and the
// time of a 100-preset send through JACK (target: within 1.25 times the MIDI
// 1.0 wire time of 61,500 bytes, 19.68 s), and the time of a 100-preset
// backup through JACK (target: within 1.2 times the wire time of 100 requests
// and their answers, 62,500 bytes, 20 s). Starts its own JACK server and
// simulator with scripts/midi-services.sh and stops them at the end.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "CPreset.h"
#include "JackServices.h"

namespace {

constexpr double kWireSeconds = 61500 * 10 / 31250.0;
constexpr double kBackupWireSeconds = 100 * (10 + 615) * 10 / 31250.0;

std::vector<uint8_t> HundredPresets() {
  std::vector<uint8_t> dump;
  for (int n = 101; n <= 200; ++n) {
    CPreset preset;
    preset.CreateNew();
    preset.SetPresetNumber(n);
    preset.SetPresetName("Bench " + std::to_string(n));
    for (int field = Offset::FirstParameter; field <= Offset::LastParameter; field += 4) preset.SetValue(field, n % 100);
    preset.UpdateChecksum();
    dump.insert(dump.end(), preset.Image().begin(), preset.Image().end());
  }
  return dump;
}

JackServices& TheServices() {
  static JackServices services(LINDEL_SERVICES, LINDEL_SIM);
  return services;
}

std::vector<std::string> Devices(std::vector<std::string> args) { return CliOnSimulator(LINDEL_CLI, std::move(args)); }

// The whole command's CPU (cpu_s), and the share of the 10 s wait itself
// (wait_cpu_s): the difference to a 1 s wait, scaled to 10 s. The rest is
// starting up, which connects three JACK clients (listing, input, output).
void BM_ReceiveDumpIdleCpu(benchmark::State& state) {
  constexpr int kShortRuns = 5;
  const std::string out = TheServices().File("never.syx");
  for (auto _ : state) {
    double shortCpu = 0;  // starting up varies more than the wait costs: average it
    for (int i = 0; i < kShortRuns; ++i) {
      shortCpu += RunChild(Devices({"receive-dump", "-o", out, "--idle-timeout", "1"})).cpuSeconds / kShortRuns;
    }
    const ChildCost cost = RunChild(Devices({"receive-dump", "-o", out, "--idle-timeout", "10"}));
    state.SetIterationTime(cost.wallSeconds);
    state.counters["cpu_s"] = cost.cpuSeconds;
    state.counters["wait_cpu_s"] = (cost.cpuSeconds - shortCpu) * 10 / 9;
    state.counters["wall_s"] = cost.wallSeconds;
  }
}
BENCHMARK(BM_ReceiveDumpIdleCpu)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_SendHundredPresetsThroughJack(benchmark::State& state) {
  const std::string file = TheServices().File("hundred.syx");
  const std::vector<uint8_t> dump = HundredPresets();
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(dump.data()), static_cast<std::streamsize>(dump.size()));
  for (auto _ : state) {
    const ChildCost cost = RunChild(Devices({"send-dump", file}));
    if (cost.exitCode != 0) state.SkipWithError("send-dump failed");
    state.SetIterationTime(cost.wallSeconds);
    state.counters["wall_s"] = cost.wallSeconds;
    state.counters["x_wire_time"] = cost.wallSeconds / kWireSeconds;
    state.counters["cpu_s"] = cost.cpuSeconds;
  }
}
BENCHMARK(BM_SendHundredPresetsThroughJack)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void BM_BackupHundredPresetsThroughJack(benchmark::State& state) {
  const std::string file = TheServices().File("backup.syx");
  for (auto _ : state) {
    const ChildCost cost = RunChild(Devices({"backup", "-o", file}));
    if (cost.exitCode != 0) state.SkipWithError("backup failed");
    state.SetIterationTime(cost.wallSeconds);
    state.counters["wall_s"] = cost.wallSeconds;
    state.counters["x_wire_time"] = cost.wallSeconds / kBackupWireSeconds;
    state.counters["cpu_s"] = cost.cpuSeconds;
  }
}
BENCHMARK(BM_BackupHundredPresetsThroughJack)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
