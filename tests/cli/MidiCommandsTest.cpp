// The MIDI commands of lindel-cli as a black box, backup and send-dump
// --verify among them, on the built-in simulated G-Major (always listed, so
// no MIDI stack is needed).
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "CliTest.h"
#include "FactoryBank.h"
#include "PresetBuilder.h"
#include "TempDir.h"

namespace {

const std::string kSim = "Lindel G-Major simulator";

std::vector<std::string> OnSimulator(std::vector<std::string> args) {
  args.insert(args.end(), {"--in", "g-major SIM", "--out", kSim});
  return args;
}

class CliMidi : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(CliMidi, PortsListsTheSimulatorLast) {
  const auto r = Cli({"ports", "--json"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j.at("inputs").back().at("name"), kSim);
  EXPECT_EQ(j.at("outputs").back().at("name"), kSim);
  EXPECT_EQ(j.at("stack").is_null(), !j.at("problem").get<std::string>().empty()) << "no stack says why";
}

TEST_F(CliMidi, RequestTransmitAndDumpsRoundTripThroughTheSimulator) {
  const std::string u3 = dir.File("u3.syx");
  auto r = Cli(OnSimulator({"request", "--preset", "u3", "-o", u3}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, u3 + ": U3 \"User 3\"\n");
  EXPECT_EQ(ReadBytes(u3).size(), 615u);

  r = Cli(OnSimulator({"transmit", u3, "--as", "E"}));
  EXPECT_EQ(r.exitCode, 0) << r.err;

  const std::string dump = dir.File("bank.syx");
  r = Cli(OnSimulator({"receive-dump", "-o", dump, "--count", "100"}));  // the simulator presses Bulk Dump itself
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes(dump).size(), 61500u);
  EXPECT_NE(r.err.find("100 preset(s) received"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dump + ".part"));

  WriteBytes(dump, DumpBytes(2));
  r = Cli(OnSimulator({"send-dump", dump}));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("2 preset(s) sent"), std::string::npos) << r.err;
}

TEST_F(CliMidi, ATransferThatFailsSaysWhyAndExitsWithOne) {
  std::vector<uint8_t> bytes = DumpBytes(1);
  bytes.resize(1000, 0x10);
  WriteBytes(dir.File("odd.syx"), bytes);
  const auto r = Cli(OnSimulator({"send-dump", dir.File("odd.syx")}));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Incorrect number of bytes written after 1 preset(s)"), std::string::npos) << r.err;
}

TEST_F(CliMidi, BackupTakesTheRangeAndTheFactoryOption) {
  const std::string out = dir.File("backup.syx");
  const auto r = Cli(OnSimulator({"backup", "-o", out, "--first", "99", "--last", "100", "--factory"}));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Backed up 4 presets to " + out + ".\n");
  EXPECT_EQ(ReadBytes(out).size(), 4 * kPresetSize);
  EXPECT_NE(r.err.find("4/4 presets read"), std::string::npos) << r.err;
}

TEST_F(CliMidi, AVerifiedSendOfWhatTheDeviceKeepsPasses) {
  const std::string dump = dir.File("send.syx");
  std::vector<uint8_t> bytes = DumpBytes(3, 110);
  const PresetImage factory = FactoryPreset(5);  // refused by the device, which still holds it as sent
  bytes.insert(bytes.end(), factory.begin(), factory.end());
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

class CliMidiUsage : public CliMidi, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(CliMidiUsage, IsRefusedWithExitTwoAndAReason) {
  const std::string preset = dir.File("p.syx");
  WriteBytes(preset, PresetBuilder().Number(5).Bytes());
  WriteBytes(dir.File("bad.syx"), PresetBuilder().Number(101).BadChecksum().Bytes());
  WriteBytes(dir.File("d.syx"), DumpBytes(1));
  std::vector<std::string> args = GetParam().args;
  for (auto& a : args) {
    if (a == "PRESET") a = preset;
    if (a == "BAD") a = dir.File("bad.syx");
    if (a == "DUMP") a = dir.File("d.syx");
    if (a == "OUT") a = dir.File("out.syx");
    if (a == "FOLDER") a = dir.Path().string();
  }
  const auto r = Cli(args);
  EXPECT_EQ(r.exitCode, 2) << r.err;
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.syx")));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliMidiUsage,
    ::testing::Values(
        UsageCase{"unknown_device", {"request", "--in", "nothing like it", "--out", "0", "--preset", "E", "-o", "OUT"},
                  "no input device matches 'nothing like it'"},
        UsageCase{"position_beyond_list", {"request", "--in", "0", "--out", "99", "--preset", "E", "-o", "OUT"},
                  "there is no output device at position 99"},
        UsageCase{"bad_preset_name", OnSimulator({"request", "--preset", "U101", "-o", "OUT"}),
                  "a preset is E, F1..F100 or U1..U100, not 'U101'"},
        UsageCase{"bad_timeout", OnSimulator({"request", "--preset", "E", "-o", "OUT", "--timeout", "-1"}),
                  "--timeout must be a number of seconds"},
        UsageCase{"missing_devices", {"request", "--preset", "E", "-o", "OUT"}, "missing option --in"},
        UsageCase{"factory_number", OnSimulator({"transmit", "PRESET"}), "choose --as E or --as U1..U100"},
        UsageCase{"transmit_to_factory", OnSimulator({"transmit", "PRESET", "--as", "F3"}), "a preset is E or U1..U100"},
        UsageCase{"bad_checksum_file", OnSimulator({"transmit", "BAD"}), "checksum"},
        UsageCase{"missing_dump", OnSimulator({"send-dump", "OUT"}), "cannot open"},
        UsageCase{"zero_count", OnSimulator({"receive-dump", "-o", "OUT", "--count", "0"}), "--count must be"},
        UsageCase{"backup_first_after_last", OnSimulator({"backup", "-o", "OUT", "--first", "5", "--last", "4"}),
                  "--first 5 comes after --last 4"},
        UsageCase{"backup_first_out_of_range", OnSimulator({"backup", "-o", "OUT", "--first", "0"}), "--first"},
        UsageCase{"backup_zero_timeout", OnSimulator({"backup", "-o", "OUT", "--timeout", "0"}), "--timeout must be"},
        UsageCase{"backup_without_output", OnSimulator({"backup"}), "-o"},
        UsageCase{"backup_positional", OnSimulator({"backup", "-o", "OUT", "extra"}), "unexpected argument 'extra'"},
        UsageCase{"backup_into_a_folder", OnSimulator({"backup", "-o", "FOLDER", "--last", "1"}), "Could not write"},
        UsageCase{"timeout_without_verify", OnSimulator({"send-dump", "DUMP", "--timeout", "3"}),
                  "--timeout is the wait of --verify"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
