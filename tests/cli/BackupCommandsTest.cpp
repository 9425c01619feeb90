// lindel-cli backup and send-dump --verify as a black box, on the built-in
// simulated G-Major.
#include <gtest/gtest.h>

#include <filesystem>

#include "CliTest.h"
#include "FactoryBank.h"
#include "PresetBuilder.h"
#include "TempDir.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::vector<std::string> OnSimulator(std::vector<std::string> args) {
  args.insert(args.end(), {"--in", "Lindel G-Major simulator", "--out", "Lindel G-Major simulator"});
  return args;
}

void Append(Bytes& bytes, const PresetImage& image) { bytes.insert(bytes.end(), image.begin(), image.end()); }

class CliBackup : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(CliBackup, PassesTheRangeAndTheFactoryOptionToTheBackup) {
  const std::string out = dir.File("backup.syx");
  const auto r = Cli(OnSimulator({"backup", "-o", out, "--first", "99", "--last", "100", "--factory"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Backed up 4 presets to " + out + ".\n");
  EXPECT_EQ(ReadBytes(out).size(), 4 * kPresetSize);
  EXPECT_NE(r.err.find("4/4 presets read"), std::string::npos) << r.err;
}

TEST_F(CliBackup, AVerifiedSendOfWhatTheDeviceKeepsPasses) {
  const std::string dump = dir.File("send.syx");
  Bytes bytes = DumpBytes(3, 110);
  Append(bytes, FactoryPreset(5));  // refused by the device, which still holds it as sent
  WriteBytes(dump, bytes);
  const auto r = Cli(OnSimulator({"send-dump", dump, "--verify"}));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("verified 4 presets: the device holds them as sent"), std::string::npos) << r.out;
}

struct UsageCase {
  const char* name;
  std::vector<std::string> args;
  const char* message;
};

class CliBackupUsage : public CliBackup, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(CliBackupUsage, IsRefusedWithExitTwoAndAReason) {
  WriteBytes(dir.File("d.syx"), DumpBytes(1));
  std::vector<std::string> args = GetParam().args;
  for (auto& a : args) {
    if (a == "OUT") a = dir.File("out.syx");
    if (a == "DUMP") a = dir.File("d.syx");
    if (a == "FOLDER") a = dir.Path().string();
  }
  const auto r = Cli(OnSimulator(args));
  EXPECT_EQ(r.exitCode, 2) << r.err;
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.syx")));
}

INSTANTIATE_TEST_SUITE_P(
    Args, CliBackupUsage,
    ::testing::Values(UsageCase{"FirstAfterLast", {"backup", "-o", "OUT", "--first", "5", "--last", "4"}, "--first 5 comes after --last 4"},
                      UsageCase{"FirstOutOfRange", {"backup", "-o", "OUT", "--first", "0"}, "--first"},
                      UsageCase{"ZeroTimeout", {"backup", "-o", "OUT", "--timeout", "0"}, "--timeout must be"},
                      UsageCase{"NoOutput", {"backup"}, "-o"},
                      UsageCase{"Positional", {"backup", "-o", "OUT", "extra"}, "unexpected argument 'extra'"},
                      UsageCase{"OutputIsAFolder", {"backup", "-o", "FOLDER", "--last", "1"}, "Could not write"},
                      UsageCase{"TimeoutWithoutVerify", {"send-dump", "DUMP", "--timeout", "3"}, "--timeout is the wait of --verify"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
