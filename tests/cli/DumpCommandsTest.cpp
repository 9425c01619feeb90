#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "TempDir.h"

namespace {

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

class CliDump : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
  TempDir dir;
};

TEST_F(CliDump, SplitWritesTheGoodSlotsAndNamesTheBadOne) {
  auto bytes = DumpBytes(2);
  const auto bad = PresetBuilder().Name("Broken").Number(150).Value(169, 3).BadChecksum().Bytes();
  bytes.insert(bytes.end(), bad.begin(), bad.end());
  std::filesystem::create_directory(dir.Path() / "out");
  const auto r = Cli({"split", Write("dump.syx", bytes), "--out-dir", dir.File("out")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, dir.File("out/preset_1.syx") + "\n" + dir.File("out/preset_2.syx") + "\n");
  EXPECT_TRUE(Has(r.err, "slot 2 \"50 - Broken              \" skipped: bad checksum")) << r.err;
  EXPECT_EQ(ReadBytes(dir.File("out/preset_2.syx")).size(), 615u);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out/preset_50.syx")));

  const auto twice = DumpBytes(2, 105);
  const auto same = Cli({"split", Write("twice.syx", Joined({twice, twice})), "--out-dir", dir.File("out")});
  EXPECT_EQ(same.exitCode, 0);
  EXPECT_TRUE(Has(same.err, "slot 2 replaced slot 0")) << same.err;
}

TEST_F(CliDump, SplitRefusesBadInputAndNeverReplacesTheDumpItself) {
  const std::string dump = Write("dump.syx", DumpBytes(2));
  const auto missing = Cli({"split", dump, "--out-dir", dir.File("nowhere")});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_TRUE(Has(missing.err, "'" + dir.File("nowhere") + "': no such folder")) << missing.err;
  EXPECT_EQ(Cli({"split", dir.File("gone.syx")}).exitCode, 2);
  EXPECT_EQ(Cli({"split", Write("empty.syx", {})}).exitCode, 2);

  const auto bytes = DumpBytes(2);
  const std::string selfNamed = Write("preset_2.syx", bytes);
  const auto r = Cli({"split", selfNamed, "--out-dir", dir.Path().string()});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Has(r.err, "would replace the dump itself")) << r.err;
  EXPECT_EQ(ReadBytes(selfNamed), bytes);
}

TEST_F(CliDump, ModifiersListsThirtyTwoInOrderAndMarksSlotsWithoutAParameter) {
  const int32_t assigned = 2 + 10 * 8 + 60 * 1024 + 90 * 131072;
  const auto shifter = PresetBuilder().Value(293, 3).Value(77, assigned).Bytes();
  const std::string path = Write("dump.syx", Joined({DumpBytes(1), shifter}));
  const auto r = Cli({"modifiers", "--json", "--slot", "1", path});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto list = nlohmann::json::parse(r.out).at("modifiers");
  ASSERT_EQ(list.size(), 32u);
  EXPECT_EQ(list[12].at("position"), 13);
  EXPECT_EQ(list[12].at("offset"), 77);
  EXPECT_EQ(list[12].at("prompt"), "PIT OutLEv");
  EXPECT_EQ(list[12].at("modifierText"), "M2");
  EXPECT_EQ(list[12].at("maxOut"), 90);
  EXPECT_FALSE(list[2].at("assignable").get<bool>()) << "filter type 0 has two parameters";

  const auto text = Cli({"modifiers", "--slot", "1", path});
  EXPECT_TRUE(Has(text.out, "filter  -            off          0%    0%    0%  (no parameter for filter type 0)"))
      << text.out;
  const auto bad = Cli({"modifiers", Write("bad.syx", PresetBuilder().BadChecksum().Bytes())});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_TRUE(Has(bad.err, "bad.syx' slot 0: bad checksum")) << bad.err;
  EXPECT_EQ(Cli({"modifiers", "--slot", "2", path}).exitCode, 2);
}

struct NamedArea {
  const char* name;
  int offset;
  int length;
};

class CliCopyBlock : public CliDump, public ::testing::WithParamInterface<NamedArea> {};

TEST_P(CliCopyBlock, CopiesExactlyTheNamedAreaAndWritesAValidTarget) {
  const NamedArea area = GetParam();
  const auto source = PresetBuilder().Scramble(11).Bytes();
  const auto target = PresetBuilder().Scramble(12).Bytes();
  const std::string to = Write("to.syx", target);
  const auto r = Cli({"copy-block", "--block", area.name, "--from", Write("from.syx", source), "--to", to});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto after = ReadBytes(to);
  for (int i = 0; i < 613; ++i) {
    const bool inside = i >= area.offset && i < area.offset + area.length;
    ASSERT_EQ(after.at(i), inside ? source[i] : target[i]) << "byte " << i;
  }
  EXPECT_TRUE(CPreset().LoadFromByteArray(after)) << "fresh checksum";
}

INSTANTIATE_TEST_SUITE_P(Blocks, CliCopyBlock,
                         ::testing::Values(NamedArea{"gate-eq", 549, 64}, NamedArea{"compressor", 165, 64},
                                           NamedArea{"filter", 229, 64}, NamedArea{"pitch", 293, 64},
                                           NamedArea{"chorus", 357, 64}, NamedArea{"delay", 421, 64},
                                           NamedArea{"reverb", 485, 64}, NamedArea{"routing", 157, 4},
                                           NamedArea{"tap-tempo", 161, 4}));

TEST_F(CliDump, CopyBlockLeavesTheTargetAloneOnAnyProblem) {
  const std::string good = Write("good.syx", PresetBuilder().Scramble(1).Bytes());
  const auto goodBytes = ReadBytes(good);
  const std::string bad = Write("bad.syx", PresetBuilder().BadChecksum().Bytes());
  const std::string dump = Write("dump.syx", DumpBytes(3));

  EXPECT_EQ(Cli({"copy-block", "--block", "delay", "--from", bad, "--to", good}).exitCode, 1);
  const auto intoDump = Cli({"copy-block", "--block", "delay", "--from", good, "--to", dump});
  EXPECT_EQ(intoDump.exitCode, 2);
  EXPECT_TRUE(Has(intoDump.err, "not a single preset file")) << intoDump.err;
  EXPECT_EQ(ReadBytes(dump).size(), 3u * 615) << "a dump is never cut down to one preset";
  const auto unknown = Cli({"copy-block", "--block", "modifiers", "--from", good, "--to", good});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(Has(unknown.err, "tap-tempo")) << "lists the names it knows";
  EXPECT_EQ(ReadBytes(good), goodBytes);
}

}  // namespace
