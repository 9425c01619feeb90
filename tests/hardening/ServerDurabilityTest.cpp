// lindel-db-server killed with SIGKILL in the middle of a stream of uploads
// from two clients: after a restart every upload it acknowledged is there,
// byte for byte, and the database passes SQLite's integrity check.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sqlite3.h>

#include <atomic>
#include <map>
#include <mutex>
#include <thread>

#include "DbServerProcess.h"
#include "PresetBuilder.h"
#include "TempDir.h"

namespace {

constexpr int kAcknowledgedBeforeKill = 40;

std::string PresetText(uint32_t seed) {
  const auto bytes = PresetBuilder().Name("Stream " + std::to_string(seed)).Number(101).Scramble(seed).Bytes();
  return {bytes.begin(), bytes.end()};
}

// Uploads distinct presets until the server stops answering; keeps what it
// acknowledged, by the id it gave.
class Uploader {
 public:
  Uploader(int port, uint32_t firstSeed, std::map<std::string, std::string>& acknowledged, std::mutex& mutex,
           std::atomic<int>& count)
      : client_("127.0.0.1", port), seed_(firstSeed), acknowledged_(acknowledged), mutex_(mutex), count_(count) {}

  void Run() {
    for (;; ++seed_) {
      const std::string preset = PresetText(seed_);
      const auto reply = client_.Post("/lindel/upload", httplib::MultipartFormDataItems{
                                                            {"preset", preset, "p.syx", "application/octet-stream"},
                                                            {"song", "Stream", "", ""}});
      if (!reply) return;  // the server is gone
      if (reply->status != 201) continue;
      const std::string id = reply->body.substr(std::string("stored as id ").size());
      const std::lock_guard lock(mutex_);
      acknowledged_[id.substr(0, id.size() - 1)] = preset;
      ++count_;
    }
  }

 private:
  httplib::Client client_;
  uint32_t seed_;
  std::map<std::string, std::string>& acknowledged_;
  std::mutex& mutex_;
  std::atomic<int>& count_;
};

std::string IntegrityCheck(const std::string& path) {
  sqlite3* db = nullptr;
  std::string result = "cannot open";
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
    sqlite3_exec(
        db, "PRAGMA integrity_check",
        [](void* out, int, char** values, char**) {
          *static_cast<std::string*>(out) = values[0] ? values[0] : "";
          return 0;
        },
        &result, nullptr);
  }
  sqlite3_close(db);
  return result;
}

TEST(ServerDurability, EveryAcknowledgedUploadSurvivesAKillMidStream) {
  TempDir dir;
  const DbServerProcess::Options options{LINDEL_DB_SERVER, dir.File("presets.db"), "/lindel", "",
                                          DbServerProcess::kUnrestrictedUploads};
  std::map<std::string, std::string> acknowledged;
  std::mutex mutex;
  std::atomic<int> count = 0;
  {
    DbServerProcess server(options);
    Uploader first(server.Port(), 1, acknowledged, mutex, count);
    Uploader second(server.Port(), 100000, acknowledged, mutex, count);
    std::thread a(&Uploader::Run, &first);
    std::thread b(&Uploader::Run, &second);
    while (count < kAcknowledgedBeforeKill) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    server.Kill();
    a.join();
    b.join();
  }
  ASSERT_GE(acknowledged.size(), static_cast<std::size_t>(kAcknowledgedBeforeKill));
  EXPECT_EQ(IntegrityCheck(dir.File("presets.db")), "ok");

  DbServerProcess restarted(options);
  httplib::Client client("127.0.0.1", restarted.Port());
  for (const auto& [id, preset] : acknowledged) {
    const auto download = client.Get("/lindel/bintest.php?id=" + id);
    ASSERT_TRUE(download) << id;
    EXPECT_EQ(download->status, 200) << id;
    EXPECT_EQ(download->body, preset) << id;
  }
}

}  // namespace
