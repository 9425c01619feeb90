// lindel-cli backup and send-dump --verify through a real MIDI stack (JACK on
// its dummy driver), against the simulator that run-with-midi-services.sh
// started and against a second one started here with a fault.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "SimulatedGMajor.h"
#include "SimulatorLink.h"
#include "TempDir.h"

namespace {

using Bytes = std::vector<uint8_t>;

const std::string kFaultySim = "Lindel faulty sim";

std::vector<std::string> Devices(std::vector<std::string> args, const std::string& device) {
  args.insert(args.end(), {"--in", device, "--out", device});
  return args;
}

Bytes Slots(const Bytes& bank, int first, int last) {
  return {bank.begin() + (first - 1) * 615, bank.begin() + last * 615};
}

std::string Text(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A simulator of its own on the same JACK server, started with --fault; it
// quits when its input closes.
class FaultySimulator {
 public:
  FaultySimulator(const std::string& fault, const std::string& log) : log_(log) {
    int input[2];
    if (::pipe(input) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(input[0], STDIN_FILENO);
      const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(out, STDOUT_FILENO);
      ::dup2(out, STDERR_FILENO);
      ::close(input[1]);
      ::execl(LINDEL_SIM, LINDEL_SIM, "--api", "jack", "--name", kFaultySim.c_str(), "--fault", fault.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(input[0]);
    input_ = input[1];
  }

  ~FaultySimulator() {
    if (input_ >= 0) ::close(input_);
    if (pid_ <= 0) return;
    for (int i = 0; i < 100 && ::waitpid(pid_, nullptr, WNOHANG) == 0; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (::kill(pid_, 0) == 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  bool WaitUntilReady() const {
    for (int i = 0; i < 200; ++i) {
      if (Text(log_).rfind("ready:", 0) == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

  std::string Log() const { return Text(log_); }

 private:
  std::string log_;
  pid_t pid_ = -1;
  int input_ = -1;
};

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class BackupThroughJack : public ::testing::Test {
 protected:
  TempDir dir;
  const SimulatedGMajor factory;  // what a simulator holds when it starts or after "reset"
};

TEST_F(BackupThroughJack, AFullBackupEqualsTheSimulatorsBankByteForByte) {
  ASSERT_NE(sim::CommandAndWait("reset", "reset:"), "") << "the simulator does not answer";
  const std::string mine = dir.File("mine.syx");
  WriteBytes(mine, PresetBuilder().Name("Changed U42").Number(142).Scramble(42).Bytes());
  ASSERT_EQ(Cli(Devices({"send-dump", mine}, sim::Name())).exitCode, 0);
  const std::string saved = dir.File("bank.syx");
  ASSERT_NE(sim::CommandAndWait("save " + saved, "saved 100 presets"), "");

  const std::string out = dir.File("backup.syx");
  const auto r = Cli(Devices({"backup", "-o", out}, sim::Name()));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes(out), ReadBytes(saved));
  EXPECT_EQ(r.out, "Backed up 100 presets to " + out + ".\n");
}

class Faults : public BackupThroughJack, public ::testing::WithParamInterface<const char*> {};

TEST_P(Faults, MakeTheBackupRetryAndSucceed) {
  FaultySimulator faulty(GetParam(), dir.File("sim.log"));
  ASSERT_TRUE(faulty.WaitUntilReady()) << faulty.Log();
  const std::string out = dir.File("backup.syx");
  const auto r = Cli(Devices({"backup", "-o", out, "--first", "1", "--last", "20", "--timeout", "1"}, kFaultySim));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes(out), Slots(factory.UserBank(), 1, 20));
  EXPECT_NE(r.err.find("20/20 presets read (2 retries)"), std::string::npos) << r.err;
  EXPECT_EQ(Count(faulty.Log(), "(fault)"), 2u) << faulty.Log();
}

struct VerifyCase {
  const char* fault;
  std::vector<std::string> mismatches;
};

class VerifiedSend : public BackupThroughJack, public ::testing::WithParamInterface<VerifyCase> {};

TEST_P(VerifiedSend, ReportsExactlyThePresetsTheDeviceDoesNotHoldAsSent) {
  FaultySimulator faulty(GetParam().fault, dir.File("sim.log"));
  ASSERT_TRUE(faulty.WaitUntilReady()) << faulty.Log();
  Bytes dump;
  for (int n = 1; n <= 20; ++n) {
    const Bytes p = PresetBuilder().Name("Sent " + std::to_string(n)).Number(100 + n).Scramble(500 + n).Bytes();
    dump.insert(dump.end(), p.begin(), p.end());
  }
  const std::string file = dir.File("send.syx");
  WriteBytes(file, dump);
  const auto r = Cli(Devices({"send-dump", file, "--verify", "--timeout", "1"}, kFaultySim));
  EXPECT_EQ(r.exitCode, GetParam().mismatches.empty() ? 0 : 1) << r.err;
  for (const std::string& m : GetParam().mismatches) {
    EXPECT_NE(r.err.find("send-dump: " + m + " differs from what was sent\n"), std::string::npos) << r.err;
  }
  EXPECT_EQ(Count(r.err, "differs from what was sent"), GetParam().mismatches.size()) << r.err;
  EXPECT_EQ(Count(r.err, "could not be read back"), 0u) << r.err;
  EXPECT_NE(r.err.find("20/20 presets read (2 retries)"), std::string::npos) << "the read-back retried too: " << r.err;
}

// "drop" for "drop-every=10".
std::string KindOf(const std::string& fault) { return fault.substr(0, fault.find('-')); }

INSTANTIATE_TEST_SUITE_P(Faults, Faults, ::testing::Values("drop-every=10", "corrupt-every=10"),
                         [](const auto& info) { return KindOf(info.param); });

INSTANTIATE_TEST_SUITE_P(Faults, VerifiedSend,
                         ::testing::Values(VerifyCase{"drop-every=10", {}},
                                           VerifyCase{"corrupt-every=10", {"U10 \"Sent 10\"", "U20 \"Sent 20\""}}),
                         [](const auto& info) { return KindOf(info.param.fault); });

}  // namespace
