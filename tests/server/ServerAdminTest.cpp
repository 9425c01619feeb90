// lindel-db-server's accounts, moderation and backup commands against a
// running server, and a server that slow clients must not stall.
#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "DbServerProcess.h"
#include "RunProcess.h"
#include "ServerFixture.h"

namespace {

class GuardedServer : public ::testing::Test {
 protected:
  GuardedServer() : server({LINDEL_DB_SERVER, Db(), "/lindel", "", {}}), client("127.0.0.1", server.Port()) {}

  std::string Db() const { return TestDatabase(dir, "presets.db"); }
  ProcessResult Admin(std::vector<std::string> args) {
    args.insert(args.begin(), LINDEL_DB_SERVER);
    args.insert(args.end(), {"--db", Db()});
    return RunProcess(args);
  }
  httplib::Result Upload(const std::string& preset, const std::string& token) {
    httplib::Headers headers;
    if (!token.empty()) headers.emplace("Authorization", "Bearer " + token);
    return client.Post("/lindel/upload", headers,
                       httplib::MultipartFormDataItems{{"preset", preset, "p.syx", "application/octet-stream"}});
  }
  std::string List() { return client.Post("/lindel/Lindel/list.php")->body; }

  TempDir dir;
  DbServerProcess server;
  httplib::Client client;
};

TEST_F(GuardedServer, AccountsFromTheCommandLineGuardUploads) {
  const ProcessResult added = Admin({"user", "add", "alice"});
  ASSERT_EQ(added.exitCode, 0) << added.err;
  const std::string token = added.out.substr(0, added.out.find('\n'));
  ASSERT_EQ(token.size(), 48u) << added.out;
  EXPECT_EQ(Upload(PresetText("Anon", 1), "")->status, 401);
  EXPECT_EQ(Upload(PresetText("Anon", 1), "nonsense")->status, 401);
  EXPECT_EQ(List(), "") << "a refused upload stores nothing";
  EXPECT_EQ(Upload(PresetText("Alice", 2), token)->status, 201);
  EXPECT_NE(Admin({"user", "list"}).out.find("alice\t"), std::string::npos);
  EXPECT_EQ(Admin({"user", "add", "alice"}).exitCode, 1) << "the name is taken";
  ASSERT_EQ(Admin({"user", "revoke", "alice"}).exitCode, 0);
  EXPECT_EQ(Admin({"user", "revoke", "alice"}).exitCode, 1);
  EXPECT_EQ(Upload(PresetText("Late", 3), token)->status, 401);
  EXPECT_EQ(List(), "1|Alice|||0|");
}

TEST_F(GuardedServer, ModerationHidesFromTheRunningServer) {
  const std::string token = Admin({"user", "add", "mod"}).out.substr(0, 48);
  ASSERT_EQ(Upload(PresetText("One", 1), token)->status, 201);
  ASSERT_EQ(Upload(PresetText("Two", 2), token)->status, 201);
  const struct {
    std::vector<std::string> command;
    int exitCode;
    const char* list;
    int downloadOfTwo;
  } steps[] = {{{"hide", "2"}, 0, "1|One|||0|", 404},
               {{"unhide", "2"}, 0, "1|One|||0|2|Two|||0|", 200},
               {{"delete", "1"}, 0, "2|Two|||1|", 200},
               {{"delete", "1"}, 1, "2|Two|||2|", 200},
               {{"hide", "x"}, 2, "2|Two|||3|", 200}};
  for (const auto& step : steps) {
    EXPECT_EQ(Admin(step.command).exitCode, step.exitCode) << step.command[0];
    EXPECT_EQ(List(), step.list) << step.command[0];
    EXPECT_EQ(client.Get("/lindel/bintest.php?id=2")->status, step.downloadOfTwo) << step.command[0];
  }
}

TEST_F(GuardedServer, BackupWhileServingIsAWholeDatabase) {
  if (OnPostgres()) {
    const ProcessResult refused = Admin({"backup", "-o", dir.File("copy.db")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("with pg_dump"), std::string::npos) << refused.err;
    GTEST_SKIP() << "PostgreSQL databases are backed up with pg_dump";
  }
  const std::string token = Admin({"user", "add", "alice"}).out.substr(0, 48);
  std::atomic<bool> stop = false;
  std::atomic<int> stored = 0;
  std::thread uploader([&] {
    httplib::Client busy("127.0.0.1", server.Port());
    for (uint32_t seed = 1; !stop; ++seed) {
      const auto answer = busy.Post("/lindel/upload", {{"Authorization", "Bearer " + token}},
                                    httplib::MultipartFormDataItems{{"preset", PresetText("Busy", seed), "p.syx", ""}});
      if (answer && answer->status == 201) ++stored;
    }
  });
  while (stored < 3) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const ProcessResult backup = Admin({"backup", "-o", dir.File("copy.db")});
  stop = true;
  uploader.join();
  ASSERT_EQ(backup.exitCode, 0) << backup.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("copy.db.partial")));
  DbServerProcess restored({LINDEL_DB_SERVER, dir.File("copy.db"), "/lindel", "", {}});
  httplib::Client fromCopy("127.0.0.1", restored.Port());
  const std::string list = fromCopy.Post("/lindel/Lindel/list.php")->body;
  EXPECT_NE(list.find("1|Busy|||0|"), std::string::npos) << list.substr(0, 100);
  EXPECT_NE(backup.out.find("backed up"), std::string::npos);
  EXPECT_EQ(RunProcess({LINDEL_DB_SERVER, "backup", "--db", dir.File("copy.db"), "-o", "/nonexistent/x.db"}).exitCode,
            1);
}

// Opens a connection that sends a request line and then a header byte now and then.
int TricklingClient(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return -1;
  const std::string start = "GET /lindel/health HTTP/1.1\r\nX-Slow: ";
  send(fd, start.data(), start.size(), MSG_NOSIGNAL);
  return fd;
}

TEST_F(GuardedServer, FiftyTricklingClientsLeaveHealthAnswering) {
  std::vector<int> slow;
  for (int i = 0; i < 50; ++i) slow.push_back(TricklingClient(server.Port()));
  std::atomic<bool> answered = false;
  std::thread trickle([&] {
    // Each connection stays well inside the read time-out, for longer than the check waits.
    for (int round = 0; round < 150 && !answered; ++round) {
      for (int fd : slow) send(fd, "x", 1, MSG_NOSIGNAL);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
  });
  httplib::Client probe("127.0.0.1", server.Port());
  probe.set_read_timeout(std::chrono::seconds(20));
  const auto health = probe.Get("/lindel/health");
  answered = true;
  trickle.join();
  for (int fd : slow) close(fd);
  ASSERT_TRUE(health) << "no answer while slow clients held the workers";
  EXPECT_EQ(health->status, 200);
}

}  // namespace
