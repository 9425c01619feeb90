// lindel-cli export, import and diff as a black box.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CatalogPresets.h"
#include "CliTest.h"
#include "PresetBuilder.h"
#include "TempDir.h"

namespace {

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

class PresetTextCli : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
  std::string WriteText(const std::string& name, const std::string& text) {
    return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
  }
  TempDir dir;
};

TEST_F(PresetTextCli, EverySlotOfABankComesBackByteForByte) {
  const std::vector<uint8_t> bank = CatalogBank(100, 500);
  const std::string path = Write("bank.syx", bank);
  for (int slot = 0; slot < 100; ++slot) {
    const auto exported = Cli({"export", path, "--slot", std::to_string(slot)});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const std::string json = WriteText("slot.json", exported.out);
    const auto imported = Cli({"import", json, "-o", dir.File("slot.syx")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    ASSERT_EQ(ReadBytes(dir.File("slot.syx")), Slots(bank, slot)) << "slot " << slot;
  }
}

TEST_F(PresetTextCli, ExportWritesOneFieldALineAndReadableText) {
  const std::string path = Write("p.syx", PresetBuilder().Name("Crunch").Number(107).Value(169, 6).Bytes());
  const auto json = Cli({"export", "--json", path});
  EXPECT_EQ(json.exitCode, 0);
  EXPECT_TRUE(Has(json.out, "\n    \"Compressor\": {\n      \"On/Off\": {\"value\": 0, \"text\": \"On\"},\n"
                            "      \"Ratio\": {\"value\": 6, \"text\": \"2.0:1\"},\n")) << json.out;
  EXPECT_EQ(nlohmann::json::parse(json.out)["number"]["text"], "U7");
  // A new preset leaves the slots without a parameter 0, where the editor writes the default.
  EXPECT_TRUE(Has(json.out, "\n  \"raw\": {\n    \"37\": \"00 00 00 00\",\n    \"41\": \"00 00 00 00\",\n")) << json.out;

  const auto text = Cli({"export", "--text", path});
  EXPECT_EQ(text.exitCode, 0);
  EXPECT_TRUE(Has(text.out, "Name    \"Crunch\"\nNumber  U7\n")) << text.out;
  EXPECT_TRUE(Has(text.out, "\nCompressor\n  On/Off            On\n  Ratio             2.0:1\n")) << text.out;
  EXPECT_TRUE(Has(text.out, "\nFilter/Mod\n  On/Off            On\n  Type              Auto Res\n")) << text.out;
  EXPECT_TRUE(Has(text.out, "  Phase Speed       .050 Hz  (disabled)\n")) << text.out;  // Auto Res uses no speed
}

TEST_F(PresetTextCli, ImportRefusesBadDocumentsAndWritesNothing) {
  const std::string path = Write("p.syx", PresetBuilder().Bytes());
  auto doc = nlohmann::json::parse(Cli({"export", path}).out);
  doc["blocks"]["Compressor"]["Ratio"] = 16;
  const auto bad = Cli({"import", WriteText("bad.json", doc.dump()), "-o", dir.File("out.syx")});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_EQ(bad.err,
            "lindel-cli import: Compressor / Ratio: 16 is out of range: its list holds the values 0 to 15\n"
            "lindel-cli import: nothing written\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.syx")));

  const auto notJson = Cli({"import", WriteText("x.json", "{\"name\": "), "-o", dir.File("out.syx")});
  EXPECT_EQ(notJson.exitCode, 2);
  EXPECT_TRUE(Has(notJson.err, "x.json' is no JSON: parse error at line 1, column 10")) << notJson.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.syx")));

  const auto twice = Cli({"import", WriteText("twice.json", "{\"name\": \"A\", \"name\": \"B\"}"), "-o", dir.File("out.syx")});
  EXPECT_EQ(twice.exitCode, 2);
  EXPECT_TRUE(Has(twice.err, "twice.json': the key \"name\" appears twice in one object")) << twice.err;

  const auto fromStdin = RunProcess({LINDEL_CLI, "import", "-", "-o", dir.File("in.syx")}, Cli({"export", path}).out);
  EXPECT_EQ(fromStdin.exitCode, 0) << fromStdin.err;
  EXPECT_EQ(ReadBytes(dir.File("in.syx")), ReadBytes(path));
}

// One field of each block set to a known value in a, another in b.
struct Change {
  FieldLocation at;
  int32_t before;
  int32_t after;
  const char* line;
};

const Change kChanges[] = {
    {{553}, -40, -20, "Noise Gate/EQ / Threshold: \"-40 dB\" -> \"-20 dB\""},
    {{157, 9, 1}, 0, 1, "Levels/Relays / Relay 1: \"Off\" -> \"On\""},
    {{169}, 6, 9, "Compressor / Ratio: \"2.0:1\" -> \"4.0:1\""},
    {{281}, 100, 50, "Filter/Mod / Mix: \"100 %\" -> \"50 %\""},
    {{345}, 0, -6, "Pitch / Out level: \"0 dB\" -> \"-6 dB\""},
    {{361}, 104, 184, "Chorus/Flanger / Speed: \"1.00 Hz\" -> \"10.00 Hz\""},
    {{449}, 60, 40, "Delay / FB Hi Cut: \"Off\" -> \"2.00 k\""},
    {{489}, 25, 30, "Reverb / Decay: \"2.5 sec\" -> \"3.0 sec\""},
    {{157, 0, 2}, 0, 2, "Routing / Routing: \"Serial\" -> \"Parallel\""},
    {{161}, 500, 1234, "Tap Tempo / Tap Tempo: \"500 \" -> \"1234 \""},
};

std::vector<uint8_t> WithChanges(int32_t Change::*side) {
  PresetImage image = CatalogPreset(21).Image();
  for (const Change& c : kChanges) WriteLocation(image, c.at, c.*side);
  image[Offset::Checksum] = PresetChecksum(image);
  return {image.begin(), image.end()};
}

TEST_F(PresetTextCli, DiffNamesEachChangedFieldWithBothTexts) {
  const auto a = WithChanges(&Change::before);
  auto dump = a;
  const auto b = WithChanges(&Change::after);
  dump.insert(dump.end(), b.begin(), b.end());
  const std::string single = Write("a.syx", a);
  const std::string bank = Write("dump.syx", dump);

  const auto differ = Cli({"diff", bank, bank, "--slot-a", "0", "--slot-b", "1"});
  EXPECT_EQ(differ.exitCode, 1);
  std::string expected;
  for (const Change& c : kChanges) expected += std::string(c.line) + "\n";
  EXPECT_EQ(differ.out, expected);

  const auto same = Cli({"diff", single, bank, "--slot-b", "0"});
  EXPECT_EQ(same.exitCode, 0);
  EXPECT_EQ(same.out, "");

  const auto reversed = Cli({"diff", bank, single, "--slot-a", "1"});
  EXPECT_TRUE(Has(reversed.out, "Compressor / Ratio: \"4.0:1\" -> \"2.0:1\"\n")) << reversed.out;
  EXPECT_EQ(Cli({"diff", bank, bank, "--slot", "1"}).exitCode, 0);
}

TEST_F(PresetTextCli, DiffOfADamagedOrMissingSlotIsTrouble) {
  const std::string good = Write("good.syx", PresetBuilder().Bytes());
  const std::string bad = Write("bad.syx", PresetBuilder().BadChecksum().Bytes());
  const auto damaged = Cli({"diff", good, bad});
  EXPECT_EQ(damaged.exitCode, 2);
  EXPECT_TRUE(Has(damaged.err, "bad.syx' slot 0: bad checksum")) << damaged.err;
  EXPECT_EQ(Cli({"diff", good, good, "--slot-b", "1"}).exitCode, 2);
}

}  // namespace
