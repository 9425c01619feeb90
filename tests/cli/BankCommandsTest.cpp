// lindel-cli bank as a black box: usage errors, rearranging a bank seen
// through show --json, dumps in and out, and pulls and sends on the built-in
// simulator (which starts from the same user bank in every process).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "TempDir.h"
#include "utilities.h"

namespace {

using Json = nlohmann::json;
using Strings = std::vector<std::string>;

const Strings kSim = {"--in", "Lindel G-Major simulator", "--out", "Lindel G-Major simulator"};

class CliBank : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string db = dir.File("library.db");

  ProcessResult Bank(Strings args, const Strings& more = {}) {
    args.insert(args.begin(), "bank");
    args.insert(args.end(), {"--library", db});
    args.insert(args.end(), more.begin(), more.end());
    return Cli(args);
  }

  // Imports presets named after their seeds ("S1", "S2"...): entries 1, 2...
  void ImportSounds(int count) {
    std::vector<uint8_t> dump;
    for (int i = 1; i <= count; ++i) {
      const auto p = PresetBuilder().Name("S" + std::to_string(i)).Number(101).Scramble(700 + i).Bytes();
      dump.insert(dump.end(), p.begin(), p.end());
    }
    WriteBytes(dir.File("sounds.syx"), dump);
    ASSERT_EQ(Cli({"library", "import", dir.File("sounds.syx"), "--library", db}).exitCode, 0);
  }

  // The names of slots 1 to count ("" for empty).
  Strings Names(const std::string& bank, int count) {
    const ProcessResult shown = Bank({"show", bank, "--json"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    Strings names;
    const Json slots = Json::parse(shown.out)["slots"];
    for (int i = 0; i < count; ++i) names.push_back(slots[i]["name"].is_null() ? "" : slots[i]["name"]);
    return names;
  }
};

struct RefusedCase {
  const char* what;
  Strings args;
  const char* message;
};

class CliBankRefuses : public CliBank, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(CliBankRefuses, WithExitTwoAndAMessageNamingTheProblem) {
  ImportSounds(1);
  ASSERT_EQ(Bank({"new", "Live"}).exitCode, 0);
  const ProcessResult r = GetParam().args.empty() ? Cli({"bank"}) : Bank(GetParam().args);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
  EXPECT_EQ(Names("Live", 1), Strings{""}) << "nothing changed";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliBankRefuses,
    ::testing::Values(RefusedCase{"no_command", {}, "give a bank command"},
                      RefusedCase{"unknown_command", {"shuffle", "Live"}, "unknown bank command 'shuffle'"},
                      RefusedCase{"slot_past_100", {"set", "Live", "101", "1"}, "slot (1-100 or U1-U100)"},
                      RefusedCase{"slot_U0", {"set", "Live", "U0", "1"}, "slot (1-100 or U1-U100)"},
                      RefusedCase{"no_such_entry", {"set", "Live", "1", "999"}, "no library entry 999"},
                      RefusedCase{"no_such_bank", {"set", "Studio", "1", "1"}, "no bank 'Studio'"},
                      RefusedCase{"taken_name", {"new", "LIVE"}, "there is a bank 'LIVE' already"},
                      RefusedCase{"missing_dump", {"from-dump", "Live", "missing.syx"}, "cannot read 'missing.syx'"},
                      RefusedCase{"export_without_file", {"export", "Live"}, "-o"},
                      RefusedCase{"unwritable_export", {"export", "Live", "-o", "/no/such/folder/x.syx"},
                                  "cannot write '/no/such/folder/x.syx'"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(CliBank, SetMoveSwapAndClearRearrangeTheSlotsShowLists) {
  ImportSounds(3);
  ASSERT_EQ(Bank({"new", "Live"}).exitCode, 0);
  for (const auto& [slot, entry] : std::vector<std::pair<std::string, std::string>>{{"1", "1"}, {"U2", "2"}, {"4", "3"}}) {
    ASSERT_EQ(Bank({"set", "Live", slot, entry}).exitCode, 0);
  }
  EXPECT_EQ(Names("Live", 4), (Strings{"S1", "S2", "", "S3"}));
  ASSERT_EQ(Bank({"move", "Live", "1", "4"}).exitCode, 0);
  EXPECT_EQ(Names("Live", 4), (Strings{"S2", "", "S3", "S1"})) << "the slots between shift up";
  ASSERT_EQ(Bank({"swap", "Live", "U1", "U2"}).exitCode, 0);
  EXPECT_EQ(Names("Live", 4), (Strings{"", "S2", "S3", "S1"}));
  ASSERT_EQ(Bank({"clear", "Live", "3"}).exitCode, 0);
  EXPECT_EQ(Names("Live", 4), (Strings{"", "S2", "", "S1"}));
  EXPECT_EQ(Bank({"list"}).out, "Live                       2 slots\n");
}

TEST_F(CliBank, ExportAndFromDumpCarryTheSlotsThrough) {
  ImportSounds(2);
  ASSERT_EQ(Bank({"new", "Live"}).exitCode, 0);
  ASSERT_EQ(Bank({"set", "Live", "7", "2"}).exitCode, 0);
  ASSERT_EQ(Bank({"set", "Live", "90", "1"}).exitCode, 0);
  const std::string out = dir.File("live.syx");
  ASSERT_EQ(Bank({"export", "Live", "-o", out}).exitCode, 0);
  const std::vector<uint8_t> exported = ReadBytes(out);
  ASSERT_EQ(exported.size(), 2 * 615u);
  EXPECT_EQ(ReadValue14(exported, Offset::Number), 107) << "numbered by slot";
  EXPECT_EQ(ReadValue14(std::span<const uint8_t>(exported).subspan(615), Offset::Number), 190);

  std::vector<uint8_t> damaged = exported;
  damaged[615 + 200] ^= 0x01;
  WriteBytes(dir.File("damaged.syx"), damaged);
  const ProcessResult r = Bank({"from-dump", "Copy", dir.File("damaged.syx")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("slot 2: bad checksum"), std::string::npos) << r.err;
  const Json slots = Json::parse(Bank({"show", "Copy", "--json"}).out)["slots"];
  EXPECT_EQ(slots[6]["entry"], 2);
  EXPECT_TRUE(slots[89]["entry"].is_null());
}

TEST_F(CliBank, SendAllSendsTheFilledSlotsTheDeviceHoldsAlready) {
  ASSERT_EQ(Bank({"pull", "Live"}, kSim).exitCode, 0);
  const std::string two = dir.File("two.syx");
  ASSERT_EQ(Cli({"library", "export", "1", "2", "-o", two, "--library", db}).exitCode, 0);
  ASSERT_EQ(Bank({"from-dump", "Two", two}).exitCode, 0);
  EXPECT_EQ(Bank({"send", "Two"}, kSim).out, "nothing to send: the device holds the bank\n");
  EXPECT_EQ(Bank({"send", "Two", "--all"}, kSim).out, "sent U1 \"User 1\"\nsent U2 \"User 2\"\nsent 2 presets\n");
}

TEST_F(CliBank, ABackupWithTheLibraryTellsTheSendWhatTheDeviceHolds) {
  const std::string backup = dir.File("backup.syx");
  const ProcessResult r = Cli({"backup", "-o", backup, "--library", db, "--in", kSim[1], "--out", kSim[3]});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("kept 100 presets in the library as what Lindel G-Major simulator holds"), std::string::npos);
  ASSERT_EQ(Bank({"from-dump", "Live", backup}).exitCode, 0);
  EXPECT_EQ(Bank({"send", "Live"}, kSim).out, "nothing to send: the device holds the bank\n");
}

}  // namespace
