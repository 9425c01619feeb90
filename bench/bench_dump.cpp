// A 100-preset dump, as a full bulk dump from the device gives: opening it,
// listing every slot's label for the dump pane, and splitting it into files.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "CSysEx.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPresets = 100;

// A temporary folder holding dump.syx and an out/ folder, removed at exit.
class DumpFolder {
 public:
  DumpFolder() {
    std::string pattern = (fs::temp_directory_path() / "lindel-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    fs::create_directory(Out());
    WriteDump();
  }
  ~DumpFolder() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::string Dump() const { return (root_ / "dump.syx").string(); }
  fs::path Out() const { return root_ / "out"; }

 private:
  void WriteDump() const {
    std::ofstream out(Dump(), std::ios::binary);
    for (int n = 1; n <= kPresets; ++n) {
      CPreset p;
      p.CreateNew();
      p.SetPresetNumber(PresetNumber::UserBase + n);
      p.SetPresetName("Bench " + std::to_string(n));
      for (int f = Offset::FirstParameter; f <= Offset::LastParameter; f += 4) p.SetValue(f, (f * n) % 128);
      p.UpdateChecksum();
      out.write(reinterpret_cast<const char*>(p.Image().data()), static_cast<std::streamsize>(kPresetSize));
    }
  }

  fs::path root_;
};

const DumpFolder& Folder() {
  static const DumpFolder folder;
  return folder;
}

void ListLabels(CSysEx& dump) {
  for (int i = 0; i < dump.Count(); ++i) benchmark::DoNotOptimize(dump.PresetName(i));
}

void BM_OpenDump(benchmark::State& state) {
  for (auto _ : state) {
    CSysEx dump;
    benchmark::DoNotOptimize(dump.OpenFile(Folder().Dump()));
  }
}
BENCHMARK(BM_OpenDump)->Unit(benchmark::kMicrosecond);

void BM_ListLabels(benchmark::State& state) {
  CSysEx dump;
  dump.OpenFile(Folder().Dump());
  for (auto _ : state) ListLabels(dump);
}
BENCHMARK(BM_ListLabels)->Unit(benchmark::kMicrosecond);

// Argument 1 empties the folder before each split (first split); 0 replaces
// the files of the previous one (splitting again).
void EmptyOutUnlessReplacing(benchmark::State& state) {
  if (state.range(0) == 0) return;
  state.PauseTiming();
  for (const auto& entry : fs::directory_iterator(Folder().Out())) fs::remove(entry.path());
  state.ResumeTiming();
}

void BM_SplitDump(benchmark::State& state) {
  CSysEx dump;
  dump.OpenFile(Folder().Dump());
  for (auto _ : state) {
    EmptyOutUnlessReplacing(state);
    benchmark::DoNotOptimize(dump.SplitFile(Folder().Out()));
  }
}
BENCHMARK(BM_SplitDump)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the user waits for: open, fill the dump pane, split.
void BM_OpenListSplit(benchmark::State& state) {
  for (auto _ : state) {
    EmptyOutUnlessReplacing(state);
    CSysEx dump;
    dump.OpenFile(Folder().Dump());
    ListLabels(dump);
    benchmark::DoNotOptimize(dump.SplitFile(Folder().Out()));
  }
}
BENCHMARK(BM_OpenListSplit)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
