// A bounded load run of lindel-db-server on loopback: a database of 100
// presets, then fixed numbers of list, download and upload requests from one,
// four and eight clients; and catalogue pages searched and sorted over
// 100,000 presets. "failed" counts requests that did not get their expected
// answer; it must stay 0. With LINDEL_BENCH_POSTGRES set the same run goes
// to PostgreSQL.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "CPreset.h"
#include "DbServerProcess.h"
#include "Pg.h"
#include "PresetStore.h"

namespace {

constexpr int kStoredPresets = 100;
constexpr int kCataloguePresets = 100000;

std::string PresetImage(const std::string& name, int seed) {
  CPreset preset;
  preset.CreateNew();
  preset.SetPresetName(name);
  for (int field = Offset::FirstParameter; field <= Offset::LastParameter; field += 4) {
    preset.SetValue(field, (field * 31 + seed * 17) % 128);
  }
  preset.UpdateChecksum();
  return {preset.Image().begin(), preset.Image().end()};
}

// The server with its database in a temporary folder, for the whole run.
class LoadServer {
 public:
  explicit LoadServer(int stored) : dir_(MakeDir()) {
    const std::string db = Database(stored);
    {
      const std::unique_ptr<PresetStore> store = OpenPresetStore(db);
      std::vector<NewPreset> presets;
      for (int i = 0; i < stored; ++i) {
        NewPreset p;
        const std::string image = PresetImage("Preset " + std::to_string(i), i);
        std::copy(image.begin(), image.end(), p.image.begin());
        p.name = "Preset " + std::to_string(i);
        p.song = "Song " + std::to_string(i % 7);
        p.description = "Load run preset number " + std::to_string(i);
        presets.push_back(p);
      }
      store->AddAll(presets);
    }
    process_ = std::make_unique<DbServerProcess>(
        DbServerProcess::Options{LINDEL_DB_SERVER, db, "/lindel", (dir_ / "server.log").string(),
                                 DbServerProcess::kUnrestrictedUploads});
  }
  ~LoadServer() {
    process_.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  int Port() const { return process_->Port(); }

 private:
  // A file in the run's folder, or a database of its own on the PostgreSQL
  // server LINDEL_BENCH_POSTGRES names (scripts/pg-services.sh run sets it).
  std::string Database(int stored) const {
    const char* server = std::getenv("LINDEL_BENCH_POSTGRES");
    if (!server) return (dir_ / "presets.db").string();
    return CreatePgDatabase(server, "bench_" + std::to_string(getpid()) + "_" + std::to_string(stored));
  }

  static std::filesystem::path MakeDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lindel-load-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
  }

  std::filesystem::path dir_;
  std::unique_ptr<DbServerProcess> process_;
};

LoadServer& Server() {
  static LoadServer server(kStoredPresets);
  return server;
}

LoadServer& CatalogueServer() {
  static LoadServer server(kCataloguePresets);
  return server;
}

void Report(benchmark::State& state, int failed) {
  state.counters["failed"] = failed;  // summed over the threads
  state.SetItemsProcessed(state.iterations());
}

void BM_ListRequest(benchmark::State& state) {
  httplib::Client client("127.0.0.1", Server().Port());
  client.set_keep_alive(true);
  int failed = 0;
  for (auto _ : state) {
    const auto reply = client.Post("/lindel/Lindel/list.php?ID=on&name=on&description=on&song=on&downloads=on");
    if (!reply || reply->status != 200 || reply->body.empty()) ++failed;
  }
  Report(state, failed);
}
BENCHMARK(BM_ListRequest)->Iterations(2000)->Threads(1)->Threads(4)->UseRealTime();

void BM_Download(benchmark::State& state) {
  httplib::Client client("127.0.0.1", Server().Port());
  client.set_keep_alive(true);
  int failed = 0;
  int id = state.thread_index();
  for (auto _ : state) {
    const auto reply = client.Get("/lindel/bintest.php?id=" + std::to_string(id % kStoredPresets + 1));
    if (!reply || reply->status != 200 || reply->body.size() != kPresetSize) ++failed;
    ++id;
  }
  Report(state, failed);
}
BENCHMARK(BM_Download)->Iterations(5000)->Threads(1)->Threads(4)->UseRealTime();

// Each upload is committed to disk (synchronous=FULL) before it is answered.
void BM_Upload(benchmark::State& state) {
  static std::atomic<int> seed = 1000;
  httplib::Client client("127.0.0.1", Server().Port());
  client.set_keep_alive(true);
  int failed = 0;
  for (auto _ : state) {
    const int n = seed++;
    const auto reply = client.Post("/lindel/upload", httplib::MultipartFormDataItems{
                                                         {"preset", PresetImage("Upload " + std::to_string(n), n), "p.syx", ""},
                                                         {"song", "Load run", "", ""},
                                                         {"description", std::to_string(n), "", ""}});
    if (!reply || reply->status != 201) ++failed;
  }
  Report(state, failed);
}
BENCHMARK(BM_Upload)->Iterations(200)->Threads(1)->Threads(8)->UseRealTime();

// One page of 50 of the presets whose text holds "Song 3", most downloaded first.
void BM_CataloguePage(benchmark::State& state) {
  httplib::Client client("127.0.0.1", CatalogueServer().Port());
  client.set_keep_alive(true);
  int failed = 0;
  int page = 1;
  for (auto _ : state) {
    const auto reply = client.Get("/lindel/?q=Song%203&sort=downloads&page=" + std::to_string(page++ % 20 + 1));
    if (!reply || reply->status != 200 || reply->body.find("/preset/") == std::string::npos) ++failed;
  }
  Report(state, failed);
}
BENCHMARK(BM_CataloguePage)->Iterations(20)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
