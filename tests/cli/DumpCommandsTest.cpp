#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "TempDir.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Mentions(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

class CliDump : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
  std::string OutDir() {
    std::filesystem::create_directories(dir.Path() / "out");
    return dir.File("out");
  }
  TempDir dir;
};

TEST_F(CliDump, SplitWritesOneFilePerSlotAndPrintsEach) {
  const auto bytes = DumpBytes(100);
  const auto r = Cli({"split", Write("dump.syx", bytes), "--out-dir", OutDir()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 100u);
  EXPECT_EQ(lines[6], dir.File("out/preset_7.syx"));
  for (int n = 1; n <= 100; ++n) {
    const auto file = ReadBytes(dir.File("out/preset_" + std::to_string(n) + ".syx"));
    ASSERT_EQ(file, std::vector<uint8_t>(bytes.begin() + (n - 1) * 615, bytes.begin() + n * 615)) << n;
  }
  EXPECT_EQ(r.err, "");
}

TEST_F(CliDump, SplitNamesTheBadSlotWritesTheOthersAndFails) {
  std::vector<uint8_t> bytes = DumpBytes(2);
  const auto bad = PresetBuilder().Name("Broken").Number(150).Value(169, 3).BadChecksum().Bytes();
  bytes.insert(bytes.end(), bad.begin(), bad.end());
  const auto more = DumpBytes(1, 103);
  bytes.insert(bytes.end(), more.begin(), more.end());
  const auto r = Cli({"split", Write("dump.syx", bytes), "--out-dir", OutDir()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(Lines(r.out).size(), 3u) << r.out;
  EXPECT_TRUE(Mentions(r.err, "slot 2 \"50 - Broken              \" skipped: bad checksum")) << r.err;
  EXPECT_TRUE(Mentions(r.err, "3 of 4 slots written")) << r.err;
  for (const char* name : {"preset_1.syx", "preset_2.syx", "preset_3.syx"}) {
    EXPECT_EQ(ReadBytes(dir.File(std::string("out/") + name)).size(), 615u) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("out/preset_50.syx")));
}

TEST_F(CliDump, SplitWarnsWhenTwoSlotsShareANumber) {
  std::vector<uint8_t> bytes = PresetBuilder().Name("First").Number(105).Bytes();
  const auto second = PresetBuilder().Name("Second").Number(105).Bytes();
  bytes.insert(bytes.end(), second.begin(), second.end());
  const auto r = Cli({"split", Write("dump.syx", bytes), "--out-dir", OutDir()});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(Mentions(r.err, "slot 1 replaced slot 0")) << r.err;
  EXPECT_EQ(ReadBytes(dir.File("out/preset_5.syx")), second) << "the later slot wins";
}

TEST_F(CliDump, SplitRefusesBadInputAndNeverReplacesTheDumpItself) {
  const std::string dump = Write("dump.syx", DumpBytes(2));
  const auto missingDump = Cli({"split", dir.File("gone.syx"), "--out-dir", OutDir()});
  EXPECT_EQ(missingDump.exitCode, 2);
  EXPECT_TRUE(Mentions(missingDump.err, "gone.syx")) << missingDump.err;
  const auto missingDir = Cli({"split", dump, "--out-dir", dir.File("nowhere")});
  EXPECT_EQ(missingDir.exitCode, 2);
  EXPECT_TRUE(Mentions(missingDir.err, "nowhere") && Mentions(missingDir.err, "no such folder")) << missingDir.err;
  EXPECT_EQ(Cli({"split", dump, "--out-dir", dump}).exitCode, 2) << "a file is not a folder";
  EXPECT_EQ(Cli({"split", Write("empty.syx", {}), "--out-dir", OutDir()}).exitCode, 2);
  EXPECT_EQ(Cli({"split"}).exitCode, 2);
  EXPECT_EQ(Cli({"split", dump, dump}).exitCode, 2);

  const auto bytes = DumpBytes(2);
  const std::string selfNamed = Write("preset_2.syx", bytes);
  const auto r = Cli({"split", selfNamed, "--out-dir", dir.Path().string()});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Mentions(r.err, "would replace the dump itself")) << r.err;
  EXPECT_EQ(ReadBytes(selfNamed), bytes);
}

TEST_F(CliDump, ModifiersListsAllThirtyTwoInOrderAndMarksUnassignableSlots) {
  const int32_t assigned = 2 + 10 * 8 + 60 * 1024 + 90 * 131072;
  const auto preset = PresetBuilder().Name("Shifter").Value(293, 3).Value(77, assigned).Value(229, 0).Bytes();
  std::vector<uint8_t> dump = DumpBytes(1);
  dump.insert(dump.end(), preset.begin(), preset.end());
  const auto r = Cli({"modifiers", "--json", "--slot", "1", Write("dump.syx", dump)});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j.at("slot"), 1);
  const auto& list = j.at("modifiers");
  ASSERT_EQ(list.size(), 32u);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(list[i].at("position"), i + 1);
  const auto& shifterLevel = list[12];
  EXPECT_EQ(shifterLevel.at("offset"), 77);
  EXPECT_EQ(shifterLevel.at("block"), "pitch");
  EXPECT_EQ(shifterLevel.at("prompt"), "PIT OutLEv");
  EXPECT_EQ(shifterLevel.at("modifierText"), "M2");
  EXPECT_EQ(shifterLevel.at("minOut"), 10);
  EXPECT_EQ(shifterLevel.at("midOut"), 60);
  EXPECT_EQ(shifterLevel.at("maxOut"), 90);
  EXPECT_TRUE(list[1].at("assignable").get<bool>());
  EXPECT_FALSE(list[2].at("assignable").get<bool>()) << "filter type 0 has two parameters";
  EXPECT_EQ(list[2].at("prompt"), "");

  const auto text = Cli({"modifiers", "--slot", "1", dir.File("dump.syx")});
  ASSERT_EQ(text.exitCode, 0);
  const auto lines = Lines(text.out);
  ASSERT_EQ(lines.size(), 34u) << "title, heading and 32 rows";
  EXPECT_TRUE(Mentions(lines[14], "PIT OutLEv") && Mentions(lines[14], "M2")) << lines[14];
  EXPECT_TRUE(Mentions(lines[4], "(no parameter for filter type 0)")) << lines[4];
  EXPECT_FALSE(Mentions(lines[3], "no parameter")) << lines[3];
}

TEST_F(CliDump, ModifiersOfADamagedOrMissingSlotFail) {
  const auto bad = Write("bad.syx", PresetBuilder().Value(29, 1).BadChecksum().Bytes());
  const auto r = Cli({"modifiers", bad});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(Mentions(r.err, "bad.syx") && Mentions(r.err, "bad checksum")) << r.err;
  const auto noSlot = Cli({"modifiers", "--slot", "1", bad});
  EXPECT_EQ(noSlot.exitCode, 2);
  EXPECT_TRUE(Mentions(noSlot.err, "no slot 1")) << noSlot.err;
  EXPECT_EQ(Cli({"modifiers", dir.File("missing.syx")}).exitCode, 2);
  EXPECT_EQ(Cli({"modifiers", "--slot", "-1", bad}).exitCode, 2);
}

struct NamedArea {
  const char* name;
  int offset;
  int length;
};

class CliCopyBlock : public CliDump, public ::testing::WithParamInterface<NamedArea> {};

TEST_P(CliCopyBlock, CopiesExactlyTheNamedAreaAndWritesAValidTarget) {
  const NamedArea area = GetParam();
  const auto source = PresetBuilder().Name("Source").Scramble(11).Bytes();
  const auto target = PresetBuilder().Name("Target").Number(120).Scramble(12).Bytes();
  const std::string to = Write("to.syx", target);
  const auto r = Cli({"copy-block", "--block", area.name, "--from", Write("from.syx", source), "--to", to});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto after = ReadBytes(to);
  ASSERT_EQ(after.size(), 615u);
  for (int i = 0; i < 613; ++i) {
    const bool inside = i >= area.offset && i < area.offset + area.length;
    ASSERT_EQ(after[i], inside ? source[i] : target[i]) << "byte " << i;
  }
  CPreset check;
  EXPECT_TRUE(check.LoadFromByteArray(after)) << "fresh checksum";
}

INSTANTIATE_TEST_SUITE_P(Blocks, CliCopyBlock,
                         ::testing::Values(NamedArea{"gate-eq", 549, 64}, NamedArea{"compressor", 165, 64},
                                           NamedArea{"filter", 229, 64}, NamedArea{"pitch", 293, 64},
                                           NamedArea{"chorus", 357, 64}, NamedArea{"delay", 421, 64},
                                           NamedArea{"reverb", 485, 64}, NamedArea{"routing", 157, 4},
                                           NamedArea{"tap-tempo", 161, 4}));

TEST_F(CliDump, CopyBlockLeavesTheTargetAloneOnAnyProblem) {
  const std::string good = Write("good.syx", PresetBuilder().Scramble(1).Bytes());
  const std::string bad = Write("bad.syx", PresetBuilder().Scramble(2).BadChecksum().Bytes());
  const auto dumpBytes = DumpBytes(3);
  const std::string dump = Write("dump.syx", dumpBytes);
  const auto goodBytes = ReadBytes(good);

  const auto badSource = Cli({"copy-block", "--block", "delay", "--from", bad, "--to", good});
  EXPECT_EQ(badSource.exitCode, 1);
  EXPECT_TRUE(Mentions(badSource.err, "bad.syx") && Mentions(badSource.err, "bad checksum")) << badSource.err;
  const auto intoDump = Cli({"copy-block", "--block", "delay", "--from", good, "--to", dump});
  EXPECT_EQ(intoDump.exitCode, 2);
  EXPECT_TRUE(Mentions(intoDump.err, "not a single preset file")) << intoDump.err;
  EXPECT_EQ(ReadBytes(dump), dumpBytes) << "a dump is never cut down to one preset";
  const auto unknown = Cli({"copy-block", "--block", "modifiers", "--from", good, "--to", good});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(Mentions(unknown.err, "tap-tempo")) << "lists the names it knows";
  EXPECT_EQ(Cli({"copy-block", "--block", "delay", "--from", dir.File("missing.syx"), "--to", good}).exitCode, 2);
  EXPECT_EQ(Cli({"copy-block", "--block", "delay", "--from", good}).exitCode, 2);
  EXPECT_EQ(Cli({"copy-block", "--block", "delay", "--from", good, "--to", dir.File("no/such.syx")}).exitCode, 2);
  EXPECT_EQ(ReadBytes(good), goodBytes);
}

}  // namespace
