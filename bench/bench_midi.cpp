// MIDI transfers through a real stack: the CPU that lindel-cli burns while it
// waits for a dump that never comes (target: under 0.1 s in 10 s), and the
// time of a 100-preset send through JACK (target: within 1.25 times the MIDI
// 1.0 wire time of 61,500 bytes, 19.68 s), and the time of a 100-preset
// backup through JACK (target: within 1.2 times the wire time of 100 requests
// and their answers, 62,500 bytes, 20 s). Starts its own JACK server and
// simulator with scripts/midi-services.sh and stops them at the end.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CPreset.h"

namespace {

constexpr double kWireSeconds = 61500 * 10 / 31250.0;
constexpr double kBackupWireSeconds = 100 * (10 + 615) * 10 / 31250.0;

struct ChildCost {
  double wallSeconds = 0;
  double cpuSeconds = 0;
  int exitCode = -1;
};

ChildCost RunChild(const std::vector<std::string>& args) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  ChildCost cost;
  cost.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  cost.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                    (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  cost.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return cost;
}

// The JACK server and the simulator, for the whole program run.
class Services {
 public:
  Services() : dir_(std::filesystem::temp_directory_path() / ("lindel-bench-" + std::to_string(::getpid()))) {
    const std::string start = "bash " LINDEL_SERVICES " start '" + dir_.string() + "' " LINDEL_SIM;
    if (std::system(start.c_str()) != 0) throw std::runtime_error("cannot start the MIDI services");
    std::ifstream env(dir_ / "env");
    for (std::string line; std::getline(env, line);) {  // export NAME='value'
      const auto eq = line.find('=');
      std::string value = line.substr(eq + 1);
      if (value.size() >= 2 && value.front() == '\'') value = value.substr(1, value.size() - 2);
      ::setenv(line.substr(7, eq - 7).c_str(), value.c_str(), 1);
    }
  }
  ~Services() {
    const std::string stop = "bash " LINDEL_SERVICES " stop '" + dir_.string() + "'";
    if (std::system(stop.c_str()) != 0) std::fprintf(stderr, "stopping the MIDI services failed\n");
    std::filesystem::remove_all(dir_);
  }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

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

Services& TheServices() {
  static Services services;
  return services;
}

std::vector<std::string> Devices(std::vector<std::string> args) {
  const std::string sim = std::getenv("LINDEL_SIM_NAME");
  args.insert(args.begin(), LINDEL_CLI);
  args.insert(args.end(), {"--in", sim, "--out", sim});
  return args;
}

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
