// The preset library's speed: importing a dump of 10,000 presets against a
// plain SQLite bulk insert of the same images in the same run (the floor),
// and searches over 100,000 entries.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "CPreset.h"
#include "LibraryImport.h"
#include "PresetLibrary.h"
#include "SearchQuery.h"
#include "Sqlite.h"

namespace fs = std::filesystem;

namespace {

constexpr int kImported = 10'000;
constexpr int kSearched = 100'000;

const char* const kWords[] = {"Lead", "Clean", "Crunch", "Ambient", "Solo", "Rhythm", "Swell", "Fuzz", "Verb", "Echo"};

PresetImage Sound(int seed) {
  std::mt19937 rng(static_cast<uint32_t>(seed));
  CPreset preset;
  preset.CreateNew();
  preset.SetPresetName(std::string(kWords[seed % 10]) + " " + std::to_string(seed));
  preset.SetPresetNumber(101 + seed % 100);
  for (int field = Offset::FirstParameter; field <= Offset::LastParameter; field += 4) {
    preset.SetValue(field, static_cast<int32_t>(rng() % 4));
  }
  preset.UpdateChecksum();
  return preset.Image();
}

fs::path Scratch(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() / ("lindel-bench-library-" + std::to_string(getpid()));
  fs::create_directories(dir);
  return dir / name;
}

void RemoveDatabase(const fs::path& db) {
  for (const char* end : {"", "-wal", "-shm"}) fs::remove(db.string() + end);
}

const std::string& DumpFile() {
  static const std::string path = [] {
    const fs::path file = Scratch("dump.syx");
    std::ofstream out(file, std::ios::binary);
    for (int i = 0; i < kImported; ++i) {
      const PresetImage image = Sound(i);
      out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    }
    return file.string();
  }();
  return path;
}

void BM_LibraryImport(benchmark::State& state) {
  const fs::path db = Scratch("import.db");
  for (auto _ : state) {
    state.PauseTiming();
    RemoveDatabase(db);
    state.ResumeTiming();
    PresetLibrary library(db.string());
    ImportCounts counts;
    ImportFile(library, DumpFile(), counts, [](const std::string&) {});
    if (counts.added != kImported) state.SkipWithError("not every preset was added");
  }
  state.SetItemsProcessed(state.iterations() * kImported);
}
BENCHMARK(BM_LibraryImport)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor: the same images read in one go into one table, one
// transaction, same journal and the same page cache as the library.
void BM_PlainSqliteInsert(benchmark::State& state) {
  const fs::path db = Scratch("plain.db");
  for (auto _ : state) {
    state.PauseTiming();
    RemoveDatabase(db);
    state.ResumeTiming();
    std::ifstream in(DumpFile(), std::ios::binary);
    std::vector<uint8_t> bytes(static_cast<std::size_t>(kImported) * kPresetSize);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    SqliteDb plain(db.string());
    plain.Exec("PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; PRAGMA cache_size = -16384");
    plain.Exec("CREATE TABLE presets(id INTEGER PRIMARY KEY, image BLOB NOT NULL)");
    SqliteTransaction transaction(plain);
    SqliteStatement insert(plain, "INSERT INTO presets(image) VALUES(?)");
    for (int i = 0; i < kImported; ++i) {
      insert.Bind(1, std::span<const uint8_t>(bytes.data() + i * kPresetSize, kPresetSize));
      insert.Step();
      insert.Reset();
    }
    transaction.Commit();
  }
  state.SetItemsProcessed(state.iterations() * kImported);
}
BENCHMARK(BM_PlainSqliteInsert)->Unit(benchmark::kMillisecond)->Iterations(5);

PresetLibrary& Searched() {
  static PresetLibrary* library = [] {
    const fs::path db = Scratch("search.db");
    RemoveDatabase(db);
    auto* made = new PresetLibrary(db.string());
    SqliteTransaction batch = made->Batch();
    for (int i = 0; i < kSearched; ++i) made->Keep(Sound(i), {"file", "bench.syx", i});
    batch.Commit();
    return made;
  }();
  return *library;
}

void BM_LibrarySearch(benchmark::State& state, std::vector<std::string> terms) {
  PresetLibrary& library = Searched();
  const SearchQuery query = ParseSearch(terms);
  std::size_t found = 0;
  for (auto _ : state) {
    found = library.Search(query).size();
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(BM_LibrarySearch, free_text, std::vector<std::string>{"swell"})->Unit(benchmark::kMillisecond)
    ->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_LibrarySearch, delay_dual, std::vector<std::string>{"delay=dual"})->Unit(benchmark::kMillisecond)
    ->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_LibrarySearch, everything, std::vector<std::string>{})->Unit(benchmark::kMillisecond)
    ->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
