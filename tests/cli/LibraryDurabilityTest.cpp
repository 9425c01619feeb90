// An import killed with SIGKILL leaves a sound database holding whole
// batches, and the next import finds every preset the first one kept.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "Sqlite.h"
#include "TempDir.h"

namespace {

constexpr int kPresets = 10'000;

pid_t StartImport(const std::string& db, const std::string& dump) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execl(LINDEL_CLI, LINDEL_CLI, "library", "import", "--library", db.c_str(), dump.c_str(), nullptr);
    _exit(127);
  }
  return pid;
}

int64_t Query(SqliteDb& db, const char* sql) {
  SqliteStatement s(db, sql);
  return s.Step() ? s.Int(0) : -1;
}

std::string IntegrityCheck(SqliteDb& db) {
  SqliteStatement s(db, "PRAGMA integrity_check");
  return s.Step() ? s.Text(0) : "";
}

// Entries so far, 0 while the file or its tables are not there yet.
int64_t EntriesNow(const std::string& path) {
  if (!std::filesystem::exists(path)) return 0;
  try {
    SqliteDb db(path);
    db.SetBusyTimeout(5000);
    return Query(db, "SELECT count(*) FROM entries");
  } catch (const SqliteError&) {
    return 0;
  }
}

TEST(LibraryDurability, AKilledImportLosesNoReportedPresetAndLeavesASoundFile) {
  TempDir dir;
  const std::string db = dir.File("library.db"), dump = dir.File("big.syx");
  WriteBytes(dump, DumpBytes(kPresets, 1));

  const pid_t import = StartImport(db, dump);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
  while (EntriesNow(db) == 0 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  kill(import, SIGKILL);
  int status = 0;
  waitpid(import, &status, 0);

  int64_t kept = 0;
  {
    SqliteDb check(db);
    EXPECT_EQ(IntegrityCheck(check), "ok");
    kept = Query(check, "SELECT count(*) FROM entries");
    EXPECT_GT(kept, 0);
    EXPECT_EQ(Query(check, "SELECT count(*) FROM aliases"), kept) << "an entry is whole or not there";
    EXPECT_EQ(Query(check, "SELECT count(*) FROM sources"), kept);
  }
  const ProcessResult again = Cli({"library", "import", "--library", db, dump});
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(again.out, std::to_string(kPresets - kept) + " added, " + std::to_string(kept) + " already there, 0 refused\n");
}

}  // namespace
