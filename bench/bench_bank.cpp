// A bank send through JACK: three changed slots sent and verified by
// lindel-cli bank send --verify, against the MIDI 1.0 wire time of three
// presets plus three requests and their answers (3 x 1,240 bytes, 1.19 s;
// target: within 1.3 times). Each run plans the three slots back and forth
// between two sounds, so every run sends three. Starts its own JACK server
// and simulator with scripts/midi-services.sh and stops them at the end.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "CPreset.h"
#include "JackServices.h"

namespace {

constexpr double kWireSeconds = 3 * (615 + 10 + 615) * 10 / 31250.0;
const std::vector<std::string> kSlots = {"3", "50", "100"};

void WriteThreeSounds(const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < 3; ++i) {
    CPreset preset;
    preset.CreateNew();
    preset.SetPresetNumber(101);
    preset.SetPresetName("Bench " + std::to_string(i));
    for (int field = Offset::FirstParameter; field <= Offset::LastParameter; field += 4) preset.SetValue(field, 7 + i);
    preset.UpdateChecksum();
    out.write(reinterpret_cast<const char*>(preset.Image().data()), static_cast<std::streamsize>(kPresetSize));
  }
}

void BM_SendThreeChangedSlotsVerified(benchmark::State& state) {
  static JackServices services(LINDEL_SERVICES, LINDEL_SIM);
  const std::string library = services.File("library.db");
  const auto bank = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {LINDEL_CLI, "bank"});
    args.insert(args.end(), {"--library", library});
    return RunChild(args);
  };
  const std::string sounds = services.File("three.syx");
  WriteThreeSounds(sounds);
  if (RunChild(CliOnSimulator(LINDEL_CLI, {"bank", "pull", "Bench", "--library", library})).exitCode != 0 ||
      RunChild({LINDEL_CLI, "library", "import", sounds, "--library", library}).exitCode != 0) {
    state.SkipWithError("cannot pull the bank or import the sounds");
    return;
  }
  int run = 0;
  double wall = 0, cpu = 0;
  for (auto _ : state) {
    for (std::size_t i = 0; i < kSlots.size(); ++i) {  // the pulled entries are 1-100, the sounds 101-103
      const std::string entry = run % 2 == 0 ? std::to_string(101 + i) : kSlots[i];
      bank({"set", "Bench", kSlots[i], entry});
    }
    ++run;
    const ChildCost cost = RunChild(CliOnSimulator(LINDEL_CLI, {"bank", "send", "Bench", "--verify", "--library", library}));
    if (cost.exitCode != 0) state.SkipWithError("bank send failed");
    state.SetIterationTime(cost.wallSeconds);
    wall += cost.wallSeconds;
    cpu += cost.cpuSeconds;
  }
  // Means over the runs.
  state.counters["wall_s"] = wall / run;
  state.counters["x_wire_time"] = wall / run / kWireSeconds;
  state.counters["cpu_s"] = cpu / run;
}
BENCHMARK(BM_SendThreeChangedSlotsVerified)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
