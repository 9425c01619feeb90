// lindel-cli bank pull and send through a real MIDI stack (JACK on its dummy
// driver), against the simulator that run-with-midi-services.sh started:
// only the changed slots go out, the device then holds the bank, and a
// damaged store is named and stays marked.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "SimulatorLink.h"
#include "TempDir.h"

namespace {

using Json = nlohmann::json;

class BankThroughJack : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string library = dir.File("library.db");

  void SetUp() override {
    ASSERT_NE(sim::CommandAndWait("reset", "reset:"), "") << "the simulator does not answer";  // clears a fault too
  }

  ProcessResult Bank(std::vector<std::string> args, bool device = false) {
    args.insert(args.begin(), "bank");
    args.insert(args.end(), {"--library", library});
    if (device) args.insert(args.end(), {"--in", sim::Name(), "--out", sim::Name()});
    return Cli(args);
  }

  // Pulls bank "Live" and plans three sounds of the library that the device
  // does not hold into U3, U50 and U100.
  void PullAndChangeThree() {
    const auto pulled = Bank({"pull", "Live"}, true);
    ASSERT_EQ(pulled.exitCode, 0) << pulled.err;
    ASSERT_EQ(pulled.out.rfind("Live: pulled 100 presets from " + sim::Name(), 0), 0u) << pulled.out;
    std::vector<uint8_t> mine;
    for (int i = 0; i < 3; ++i) {
      const auto p = PresetBuilder().Name("Mine " + std::to_string(i)).Number(101).Scramble(900 + i).Bytes();
      mine.insert(mine.end(), p.begin(), p.end());
    }
    WriteBytes(dir.File("mine.syx"), mine);
    ASSERT_EQ(Cli({"library", "import", dir.File("mine.syx"), "--library", library}).exitCode, 0);
    const std::vector<std::pair<std::string, std::string>> planned = {{"3", "101"}, {"50", "102"}, {"100", "103"}};
    for (const auto& [slot, entry] : planned) ASSERT_EQ(Bank({"set", "Live", slot, entry}).exitCode, 0);
  }

  // The slots the simulator stored since log line `after`, as it logs them.
  static std::vector<std::string> StoredSince(std::size_t after) {
    std::vector<std::string> stored;
    const auto lines = sim::LogLines();
    for (std::size_t i = after; i < lines.size(); ++i) {
      if (lines[i].rfind("stored ", 0) == 0) stored.push_back(lines[i].substr(7, lines[i].find(' ', 7) - 7));
    }
    return stored;
  }

  Json Shown() { return Json::parse(Bank({"show", "Live", "--json"}).out); }
};

TEST_F(BankThroughJack, AVerifiedSendStoresOnlyTheChangedSlotsAndASecondSendNothing) {
  PullAndChangeThree();
  const std::size_t before = sim::LogLines().size();
  const auto sent = Bank({"send", "Live", "--verify"}, true);
  ASSERT_EQ(sent.exitCode, 0) << sent.err;
  EXPECT_EQ(sent.out,
            "sent U3 \"Mine 0\"\nsent U50 \"Mine 1\"\nsent U100 \"Mine 2\"\n"
            "sent 3 presets; the device holds them as sent\n");
  EXPECT_EQ(StoredSince(before), (std::vector<std::string>{"U3", "U50", "U100"}));

  const std::string saved = dir.File("device.syx");
  ASSERT_NE(sim::CommandAndWait("save " + saved, "saved 100 presets"), "");
  ASSERT_EQ(Bank({"export", "Live", "-o", dir.File("export.syx")}).exitCode, 0);
  EXPECT_EQ(ReadBytes(saved), ReadBytes(dir.File("export.syx")));
  for (const Json& slot : Shown()["slots"]) EXPECT_EQ(slot["held"], true) << slot.dump();

  const std::size_t afterFirst = sim::LogLines().size();
  const auto again = Bank({"send", "Live", "--verify"}, true);
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(again.out, "nothing to send: the device holds the bank\n");
  EXPECT_TRUE(StoredSince(afterFirst).empty());
}

TEST_F(BankThroughJack, ADamagedStoreIsNamedAndStaysMarkedUntilSentAgain) {
  PullAndChangeThree();
  ASSERT_NE(sim::CommandAndWait("fault corrupt-every=2", "fault:"), "");
  const auto sent = Bank({"send", "Live", "--verify"}, true);
  EXPECT_EQ(sent.exitCode, 1);
  EXPECT_NE(sent.err.find("lindel-cli bank send: U50 \"Mine 1\" differs from what was sent\n"), std::string::npos)
      << sent.err;
  EXPECT_EQ(sent.err.find("U3 \""), std::string::npos) << sent.err;
  EXPECT_NE(sent.err.find("1 of 3 presets are not held as sent"), std::string::npos) << sent.err;
  const Json slots = Shown()["slots"];
  EXPECT_EQ(slots[2]["held"], true);
  EXPECT_EQ(slots[49]["held"], false) << "U50 stays marked";
  EXPECT_EQ(slots[99]["held"], true);

  ASSERT_NE(sim::CommandAndWait("fault none", "fault:"), "");
  const std::size_t before = sim::LogLines().size();
  const auto again = Bank({"send", "Live", "--verify"}, true);
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(StoredSince(before), (std::vector<std::string>{"U50"}));
}

}  // namespace
