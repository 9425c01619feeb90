// lindel-shot as a black box: the state it reports must be what the window
// shows and what Gather writes back, for any preset file; bad input gets a
// clear error and no output file.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "CPreset.h"
#include "PresetBuilder.h"
#include "RunProcess.h"
#include "TempDir.h"

namespace {

using nlohmann::json;

ProcessResult Shot(std::vector<std::string> args) {
  args.insert(args.begin(), LINDEL_SHOT);
  return RunProcess(args);
}

class LindelShot : public ::testing::Test {
 protected:
  TempDir dir;
  std::string Png() const { return dir.File("w.png"); }
  std::string State() const { return dir.File("w.json"); }
  std::string Gathered() const { return dir.File("g.syx"); }

  std::string WritePreset(const CPreset& preset) {
    const std::string path = dir.File("in.syx");
    WriteBytes(path, std::vector<uint8_t>(preset.Image().begin(), preset.Image().end()));
    return path;
  }
  json RunCompressor(std::vector<std::string> extra) {
    std::vector<std::string> args{"--window", "frmCompressor", "--png", Png(), "--state", State(),
                                  "--gather", Gathered()};
    args.insert(args.end(), extra.begin(), extra.end());
    const ProcessResult r = Shot(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return json::parse(ReadText(State()));
  }
};

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const std::vector<uint8_t>& png) {
  const auto word = [&](int at) { return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3]; };
  return {word(16), word(20)};
}

TEST_F(LindelShot, ReportsTheShownTextsAndGathersThemBack) {
  const CPreset preset = PresetBuilder()
                             .Value(225, 0)
                             .Value(169, 15)
                             .Value(165, -12)
                             .Value(173, 7)
                             .Value(177, 23)
                             .Value(181, 9)  // no such gain: shows 0 dB
                             .Build();
  const json state = RunCompressor({"--preset", WritePreset(preset)});
  EXPECT_EQ(state["chkCompOnOff"]["checked"], 1);
  EXPECT_EQ(state["cmbRatio"]["text"], "inf:1");
  EXPECT_EQ(state["cmbRatio"]["data"], nullptr);
  EXPECT_EQ(state["cmbThreshold"]["text"], "-12 db");
  EXPECT_EQ(state["cmbThreshold"]["data"], -12);
  EXPECT_EQ(state["cmbAttack"]["text"], "5.0 ms");
  EXPECT_EQ(state["cmbRelease"]["text"], "2.0 s");
  EXPECT_EQ(state["cmbGain"]["text"], "0 dB");
  EXPECT_EQ(state["cmbGain"]["index"], 6);
  EXPECT_EQ(state["cmbGain"]["count"], 13);
  EXPECT_EQ(state["lblThreshold"]["text"], "Threshold");
  EXPECT_EQ(state["frmCompressor"]["text"], "Compressor block");

  CPreset gathered;
  ASSERT_TRUE(gathered.Read(Gathered()));
  EXPECT_EQ(gathered.Value(181), 0);
  for (int offset : {225, 169, 165, 173, 177}) EXPECT_EQ(gathered.Value(offset), preset.Value(offset)) << offset;

  const std::vector<uint8_t> png = ReadBytes(Png());
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
  const auto [width, height] = PngSize(png);
  EXPECT_GT(width, 150);
  EXPECT_GT(height, 150);
}

TEST_F(LindelShot, StateAgreesWithTheGatheredPresetForAnyPreset) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    const json state = RunCompressor({"--preset", WritePreset(PresetBuilder().Scramble(seed).Value(225, seed % 2).Build())});
    CPreset gathered;
    ASSERT_TRUE(gathered.Read(Gathered()));
    for (const char* list : {"cmbRatio", "cmbThreshold", "cmbAttack", "cmbRelease", "cmbGain"}) {
      EXPECT_TRUE(state[list]["visible"].get<bool>()) << list;
      EXPECT_GE(state[list]["index"].get<int>(), 0) << list << " seed " << seed;
    }
    EXPECT_EQ(state["cmbRatio"]["index"], gathered.Value(169));
    EXPECT_EQ(state["cmbThreshold"]["data"], gathered.Value(165));
    EXPECT_EQ(state["cmbAttack"]["data"], gathered.Value(173));
    EXPECT_EQ(state["cmbRelease"]["data"], gathered.Value(177));
    EXPECT_EQ(state["cmbGain"]["data"], gathered.Value(181));
  }
}

TEST_F(LindelShot, ScatterNoneShowsTheNeutralValues) {
  const json state = RunCompressor({"--preset", WritePreset(PresetBuilder().Value(225, 0).Build()), "--scatter-none"});
  EXPECT_EQ(state["chkCompOnOff"]["checked"], 0);
  EXPECT_EQ(state["cmbThreshold"]["text"], "-40 db");
  EXPECT_EQ(state["cmbGain"]["text"], "0 dB");
}

TEST_F(LindelShot, FailureOfTheWindowIsReportedAndTheStateStillWritten) {
  const ProcessResult r = Shot({"--window", "frmCompressor", "--preset",
                               WritePreset(PresetBuilder().Value(225, 7).Build()), "--state", State()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("reported a failure"), std::string::npos) << r.err;
  EXPECT_EQ(json::parse(ReadText(State()))["cmbRatio"]["index"], -1) << "the failure ended the scatter";
}

TEST_F(LindelShot, BadInputGetsAClearErrorAndNoOutput) {
  WriteBytes(dir.File("short.syx"), std::vector<uint8_t>(100, 0xF0));
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--window", "frmNothing", "--png", Png()}, "no window frmNothing (known: frmCompressor"},
      {{"--png", Png()}, "missing option --window"},
      {{"--window", "frmCompressor", "--preset", dir.File("short.syx"), "--png", Png()}, "cannot read"},
      {{"--window", "frmCompressor", "--png", dir.File("missing/w.png")}, "cannot write"},
  };
  for (const auto& c : cases) {
    const ProcessResult r = Shot(c.args);
    EXPECT_EQ(r.exitCode, 2) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(Png()));
  }
}

}  // namespace
