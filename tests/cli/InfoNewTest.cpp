#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "TempDir.h"

namespace {

class CliInfoNew : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(CliInfoNew, ReportsExactlyTheSlotWithABrokenChecksum) {
  std::vector<uint8_t> dump = DumpBytes(3);
  const auto broken = PresetBuilder().Name("Broken").Number(104).Value(169, 3).BadChecksum().Bytes();
  dump.insert(dump.end(), broken.begin(), broken.end());
  WriteBytes(dir.File("four.syx"), dump);

  const auto r = Cli({"info", "--json", dir.File("four.syx")});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  const auto& slots = j.at(0).at("slots");
  ASSERT_EQ(slots.size(), 4u);
  int bad = 0;
  for (const auto& s : slots) bad += s.at("valid").get<bool>() ? 0 : 1;
  EXPECT_EQ(bad, 1);
  EXPECT_FALSE(slots[3].at("checksum").get<bool>());
  EXPECT_TRUE(slots[3].at("header").get<bool>());
  EXPECT_EQ(slots[3].at("label"), "4 - Broken              ");
  EXPECT_EQ(slots[0].at("number"), 101);
  EXPECT_EQ(slots[0].at("label"), "1 - Preset 101          ");
}

TEST_F(CliInfoNew, PartialTrailingSlotIsUnreadable) {
  std::vector<uint8_t> bytes = DumpBytes(1);
  bytes.resize(1000, 0);  // 385 extra bytes round up to a second slot
  WriteBytes(dir.File("odd.syx"), bytes);
  const auto r = Cli({"info", dir.File("odd.syx")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("2 slots"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("slot 1: unreadable"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("slot 0: number 101"), std::string::npos) << r.out;
}

TEST_F(CliInfoNew, BadInputGivesUsageErrorsWithoutCrashing) {
  WriteBytes(dir.File("empty.syx"), {});
  EXPECT_EQ(Cli({"info", dir.File("empty.syx")}).exitCode, 1) << "no preset is not a valid file";
  const auto missing = Cli({"info", dir.File("missing.syx")});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("missing.syx"), std::string::npos);
  EXPECT_EQ(Cli({"info", dir.Path().string()}).exitCode, 2) << "a folder";
  EXPECT_EQ(Cli({"info"}).exitCode, 2);
  EXPECT_EQ(Cli({"frobnicate"}).exitCode, 2);
  EXPECT_EQ(Cli({}).exitCode, 2);
  std::vector<uint8_t> huge(615 * 2000 + 10, 0x41);
  WriteBytes(dir.File("huge.syx"), huge);
  const auto r = Cli({"info", dir.File("huge.syx")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("2000 slots"), std::string::npos);
}

TEST_F(CliInfoNew, NewWritesAValidPresetThatInfoAccepts) {
  const std::string out = dir.File("new.syx");
  const auto made = Cli({"new", "--name", "Clean Lead", "--number", "107", "-o", out});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  EXPECT_EQ(ReadBytes(out).size(), 615u);
  const auto r = Cli({"info", out});
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_NE(r.out.find("\"7 - Clean Lead          \""), std::string::npos) << r.out;

  EXPECT_EQ(Cli({"new", "-o", dir.File("plain.syx")}).exitCode, 0);
  EXPECT_EQ(ReadBytes(dir.File("plain.syx")), PresetBuilder().Bytes()) << "as New Preset makes it";
  EXPECT_EQ(Cli({"new", "--number", "201", "-o", out}).exitCode, 2);
  EXPECT_EQ(Cli({"new", "--name", "This name is far too long", "-o", out}).exitCode, 2);
  EXPECT_EQ(Cli({"new"}).exitCode, 2);
  EXPECT_EQ(Cli({"new", "-o", dir.File("no/folder/x.syx")}).exitCode, 2);
}

}  // namespace
