// lindel-db-server as a running program on loopback: what reaches it over
// real sockets, its request log, its durability and its command line.
#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <thread>

#include "DbServerProcess.h"
#include "RunProcess.h"
#include "ServerFixture.h"

namespace {

// Sends request as it is and reads the reply until the server closes.
std::string RawExchange(int port, const std::string& request) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string reply;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      send(fd, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size())) {
    char buf[4096];
    for (ssize_t n; (n = recv(fd, buf, sizeof buf, 0)) > 0;) reply.append(buf, static_cast<std::size_t>(n));
  }
  close(fd);
  return reply;
}

std::vector<std::string> LogLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class RunningServer : public ::testing::Test {
 protected:
  RunningServer() : server(Options()), client("127.0.0.1", server.Port()) {}

  DbServerProcess::Options Options() const {
    return {LINDEL_DB_SERVER, TestDatabase(dir, "presets.db"), "/lindel", dir.File("server.log"),
            DbServerProcess::kUnrestrictedUploads};
  }

  httplib::Result Upload(const std::string& preset, const std::string& name = "") {
    return client.Post("/lindel/upload", httplib::MultipartFormDataItems{
                                             {"preset", preset, "preset.syx", "application/octet-stream"},
                                             {"name", name, "", ""},
                                             {"song", "Song", "", ""},
                                             {"description", "It's a \"quote\" | and more", "", ""}});
  }

  TempDir dir;
  DbServerProcess server;
  httplib::Client client;
};

TEST_F(RunningServer, UploadedPresetIsListedEvenWithoutALengthAndDownloadedExactly) {
  const std::string preset = PresetText("Uploaded", 1);
  const auto stored = Upload(preset, "Mine");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->status, 201);
  const auto list = client.Post("/lindel/Lindel/list.php?ID=on&name=on&description=on&song=on&downloads=on");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->body, "1|Mine|Song|It's a \"quote\" / and more|0|");
  const auto download = client.Get("/lindel/bintest.php?id=1");
  ASSERT_TRUE(download);
  EXPECT_EQ(download->body, preset);

  // Clients differ in whether an empty POST carries "Content-Length: 0".
  const std::string reply = RawExchange(server.Port(),
                                        "POST /lindel/Lindel/list.php?ID=on HTTP/1.1\r\n"
                                        "Host: 127.0.0.1\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(reply.substr(0, 15), "HTTP/1.1 200 OK") << reply;
  EXPECT_TRUE(reply.ends_with("\r\n\r\n1|Mine|Song|It's a \"quote\" / and more|1|")) << reply;
}

TEST_F(RunningServer, OversizedUploadIsRefusedAndNothingStored) {
  const auto refused = Upload(std::string(70000, 'x'));
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 413);
  EXPECT_EQ(refused->body, "request body too large (limit 65536 bytes)\n");
  EXPECT_EQ(client.Get("/lindel/health")->body, "{\"status\":\"ok\",\"presets\":0}\n");
}

TEST_F(RunningServer, EveryRequestGetsOneLogLine) {
  Upload("garbage");
  client.Post("/lindel/Lindel/list.php");
  client.Get("/lindel/bintest.php?id=77");
  client.Get("/lindel/health");
  client.Get("/nowhere");
  server.Stop();
  auto lines = LogLines(dir.File("server.log"));
  ASSERT_EQ(lines.size(), 6u) << "five requests and the closing line";
  EXPECT_EQ(lines.back(), "lindel-db-server: stopped");
  lines.pop_back();
  // Workers log as they finish, so the order may differ from the requests'.
  for (const char* request : {" 127.0.0.1 POST /lindel/upload 400 ", " 127.0.0.1 POST /lindel/Lindel/list.php 200 0",
                              " 127.0.0.1 GET /lindel/bintest.php?id=77 404 ", " 127.0.0.1 GET /lindel/health 200 ",
                              " 127.0.0.1 GET /nowhere 404 "}) {
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [&](const std::string& line) { return line.find(request) != std::string::npos; }),
              1)
        << request;
  }
}

// Two servers in front of one database, as behind a load balancer: every
// preset sent to both at the same moment is stored once, and either server
// hands out what the other received.
TEST_F(RunningServer, TwoServersOnOneDatabaseStoreEachPresetOnce) {
  DbServerProcess second(Options());
  constexpr int kPresets = 20;
  std::atomic<int> created = 0;
  std::atomic<int> duplicates = 0;
  auto uploadAll = [&](int port) {
    httplib::Client to("127.0.0.1", port);
    for (int i = 0; i < kPresets; ++i) {
      const auto answer = to.Post("/lindel/upload", httplib::MultipartFormDataItems{
                                                        {"preset", PresetText("Twice", 100 + i), "p.syx", ""}});
      if (!answer) continue;
      if (answer->status == 201) ++created;
      if (answer->status == 409) ++duplicates;
    }
  };
  std::thread first(uploadAll, server.Port());
  uploadAll(second.Port());
  first.join();
  EXPECT_EQ(created, kPresets);
  EXPECT_EQ(duplicates, kPresets);
  httplib::Client other("127.0.0.1", second.Port());
  const std::string list = other.Post("/lindel/Lindel/list.php")->body;
  EXPECT_EQ(std::count(list.begin(), list.end(), '|'), 5 * kPresets) << "five fields a preset: " << list;
}

TEST_F(RunningServer, BusyPortIsReportedAndTheProgramEnds) {
  const ProcessResult second = RunProcess(
      {LINDEL_DB_SERVER, "--db", dir.File("other.db"), "--listen", "127.0.0.1:" + std::to_string(server.Port())});
  EXPECT_EQ(second.exitCode, 1);
  EXPECT_NE(second.err.find("cannot listen on 127.0.0.1:"), std::string::npos) << second.err;
}

struct CommandCase {
  const char* label;
  std::vector<std::string> args;  // FILE stands for a dump with two good presets, BAD for one with a bad slot
  int exitCode;
  const char* output;  // part of stdout or stderr
};

class ServerCommandLine : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ServerCommandLine, ExitsWithItsCodeAndSaysWhy) {
  TempDir dir;
  WriteBytes(dir.File("good.syx"), DumpBytes(2));
  auto bad = DumpBytes(2);
  bad[615 + 613] ^= 1;
  WriteBytes(dir.File("bad.syx"), bad);
  std::vector<std::string> args = {LINDEL_DB_SERVER};
  for (const std::string& a : GetParam().args) {
    args.push_back(a == "FILE" ? dir.File("good.syx") : a == "BAD" ? dir.File("bad.syx") : a == "DB" ? dir.File("p.db") : a);
  }
  const ProcessResult r = RunProcess(args);
  EXPECT_EQ(r.exitCode, GetParam().exitCode) << r.err;
  EXPECT_NE((r.out + r.err).find(GetParam().output), std::string::npos) << r.out << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ServerCommandLine,
    ::testing::Values(
        CommandCase{"Help", {"--help"}, 0, "--uploads-per-minute INT:INT in [0 - 1000000]=30"},
        CommandCase{"HelpExample", {"--help"}, 0, "example:\n  lindel-db-server --db presets.db"},
        CommandCase{"CommandHelp", {"user", "revoke", "--help"}, 0, "Usage: lindel-db-server user revoke [OPTIONS] NAME"},
        CommandCase{"Version", {"--version"}, 0, "."},
        CommandCase{"CommandVersion", {"backup", "--version"}, 0, "."},
        CommandCase{"Import", {"import", "--db", "DB", "--song", "S", "FILE"}, 0, "imported 2 presets, 0 already stored, 0 refused"},
        CommandCase{"ImportBadSlot", {"import", "--db", "DB", "BAD"}, 1, "slot 2: preset refused: bad checksum"},
        CommandCase{"ImportNoFiles", {"import", "--db", "DB"}, 2, "lindel-db-server import: PRESETS is required"},
        CommandCase{"ImportNoDb", {"import", "FILE"}, 2, "--db is required\nsee lindel-db-server import --help"},
        CommandCase{"ServeNoDb", {"--listen", "127.0.0.1:0"}, 2, "--db is required"},
        CommandCase{"BadListen", {"--db", "DB", "--listen", "localhost"}, 2, "--listen: takes HOST:PORT"},
        CommandCase{"BadPort", {"--db", "DB", "--listen", "127.0.0.1:99999"}, 2, "port 0 to 65535"},
        CommandCase{"UnknownOption", {"--db", "DB", "--port", "1"}, 2, "not expected: 1 --port\nsee lindel-db-server --help"},
        CommandCase{"UnknownCommandOption", {"user", "list", "--db", "DB", "--all"}, 2,
                    "lindel-db-server user list: The following argument was not expected: --all"},
        CommandCase{"UserWithoutAction", {"user"}, 2, "lindel-db-server user: "},
        CommandCase{"BlankAccountName", {"user", "add", " ", "--db", "DB"}, 2, "an account name is printable text"},
        CommandCase{"BadId", {"hide", "0", "--db", "DB"}, 2, "not in range 1 to 2147483647"},
        CommandCase{"BackupNoOutput", {"backup", "--db", "DB"}, 2, "--output is required"},
        CommandCase{"DbInMissingFolder", {"--db", "/nonexistent/folder/p.db"}, 1, "cannot open database"}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
