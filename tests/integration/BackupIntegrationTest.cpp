// lindel-cli backup and send-dump --verify through a real MIDI stack (JACK on
// its dummy driver), against the simulator that run-with-midi-services.sh
// started, also with a fault set.
#include <gtest/gtest.h>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "SimulatedGMajor.h"
#include "SimulatorLink.h"
#include "TempDir.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::vector<std::string> Devices(std::vector<std::string> args) {
  args.insert(args.end(), {"--in", sim::Name(), "--out", sim::Name()});
  return args;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class BackupThroughJack : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(sim::CommandAndWait("reset", "reset:"), "") << "the simulator does not answer"; }

  // Sets the simulator's fault; the log lines from here on are the run's.
  void Fault(const std::string& fault) {
    ASSERT_NE(sim::CommandAndWait("fault " + fault, "fault:"), "");
    logFrom = sim::LogLines().size();
  }
  std::string RunLog() const {
    std::string log;
    const auto lines = sim::LogLines();
    for (std::size_t i = logFrom; i < lines.size(); ++i) log += lines[i] + "\n";
    return log;
  }

  TempDir dir;
  const SimulatedGMajor factory;  // what the simulator holds after "reset"
  std::size_t logFrom = 0;
};

TEST_F(BackupThroughJack, AFullBackupEqualsTheSimulatorsBankByteForByte) {
  const std::string mine = dir.File("mine.syx");
  WriteBytes(mine, PresetBuilder().Name("Changed U42").Number(142).Scramble(42).Bytes());
  ASSERT_EQ(Cli(Devices({"send-dump", mine})).exitCode, 0);
  const std::string saved = dir.File("bank.syx");
  ASSERT_NE(sim::CommandAndWait("save " + saved, "saved 100 presets"), "");

  const std::string out = dir.File("backup.syx");
  const auto r = Cli(Devices({"backup", "-o", out}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes(out), ReadBytes(saved));
  EXPECT_EQ(r.out, "Backed up 100 presets to " + out + ".\n");
}

class Faults : public BackupThroughJack, public ::testing::WithParamInterface<const char*> {};

TEST_P(Faults, MakeTheBackupRetryAndSucceed) {
  Fault(GetParam());
  const std::string out = dir.File("backup.syx");
  const auto r = Cli(Devices({"backup", "-o", out, "--first", "1", "--last", "20", "--timeout", "1"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes(out), Slots(factory.UserBank(), 0, 20));
  EXPECT_NE(r.err.find("20/20 presets read (2 retries)"), std::string::npos) << r.err;
  EXPECT_EQ(Count(RunLog(), "(fault)"), 2u) << RunLog();
}

struct VerifyCase {
  const char* fault;
  std::vector<std::string> mismatches;
};

class VerifiedSend : public BackupThroughJack, public ::testing::WithParamInterface<VerifyCase> {};

TEST_P(VerifiedSend, ReportsExactlyThePresetsTheDeviceDoesNotHoldAsSent) {
  Fault(GetParam().fault);
  Bytes dump;
  for (int n = 1; n <= 20; ++n) {
    const Bytes p = PresetBuilder().Name("Sent " + std::to_string(n)).Number(100 + n).Scramble(500 + n).Bytes();
    dump.insert(dump.end(), p.begin(), p.end());
  }
  const std::string file = dir.File("send.syx");
  WriteBytes(file, dump);
  const auto r = Cli(Devices({"send-dump", file, "--verify", "--timeout", "1"}));
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
