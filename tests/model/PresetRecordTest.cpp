#include <gtest/gtest.h>

#include "CFile.h"
#include "CPreset.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

namespace {

class PresetRecord : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;
  TempDir dir;
};

TEST_F(PresetRecord, NewRecordIsValidWithZeroNameAndChecksum) {
  CPreset p;
  EXPECT_FALSE(p.IsValid());
  EXPECT_EQ(p.PresetName(), "") << "a record that is not valid has no name";
  p.CreateNew();
  EXPECT_TRUE(p.IsValid());
  EXPECT_EQ(p.PresetNumber(), 0);
  const auto& img = p.Image();
  EXPECT_EQ(std::vector<uint8_t>(img.begin(), img.begin() + 7),
            (std::vector<uint8_t>{0xF0, 0x00, 0x20, 0x1F, 0x00, 0x48, 0x20}));
  EXPECT_EQ(img[614], 0xF7);
  EXPECT_EQ(img[613], 0);
  EXPECT_EQ(p.PresetName(), std::string(20, '\0'));
  for (int f = 29; f <= 609; f += 4) ASSERT_EQ(p.Value(f), 0) << f;
}

TEST_F(PresetRecord, BadChecksumIsRefusedWithMessageAndKeepsValidFlag) {
  CPreset p = PresetBuilder().Name("Good").Build();
  ASSERT_TRUE(p.IsValid());
  const auto bad = PresetBuilder().Name("Bad").Value(169, 5).BadChecksum().Bytes();
  EXPECT_FALSE(p.LoadFromByteArray(bad));
  EXPECT_TRUE(p.IsValid()) << "a failed validation leaves the flag as it was";
  EXPECT_TRUE(dialogs.Shown().empty()) << "the caller shows the refusal";
  ShowRefusal(p.Refused());
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Invalid Patch file -- bad checksum"});
  EXPECT_EQ(dialogs.Shown()[0].title, kAppTitle);
}

TEST_F(PresetRecord, ShortByteArrayIsRefusedWithoutReadingPastIt) {
  CPreset p;
  const std::vector<uint8_t> shortArray(614, 0);
  EXPECT_FALSE(p.LoadFromByteArray(shortArray));
  EXPECT_FALSE(p.LoadFromByteArray({}));
  EXPECT_FALSE(p.IsValid());
}

TEST_F(PresetRecord, ChecksumCoversOnlyParameters) {
  CPreset p = PresetBuilder().Value(169, 7).Value(609, 1).Build();
  p.UpdateChecksum();
  const uint8_t before = p.Image()[613];
  EXPECT_EQ(before, 8);
  p.SetPresetName("Renamed");
  p.SetPresetNumber(150);
  p.UpdateChecksum();
  EXPECT_EQ(p.Image()[613], before);
  p.SetValue(29, 200);  // 0x48 + 0x01
  p.UpdateChecksum();
  EXPECT_EQ(p.Image()[613], (before + 0x48 + 0x01) & 0x7F);
}

TEST_F(PresetRecord, NamesArePaddedTruncatedAndConvertedToAnsi) {
  CPreset p = PresetBuilder().Build();
  p.SetPresetName("AB");
  EXPECT_EQ(p.PresetName(), "AB" + std::string(18, ' '));
  p.SetPresetName("ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(p.PresetName(), "ABCDEFGHIJKLMNOPQRST");
  p.SetPresetName("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(p.PresetName(), "ABCDEFGHIJKLMNOPQRST") << "never written past offset 28";
  EXPECT_EQ(p.Image()[29], 0);
  p.SetPresetName("Crème Brûlée €");
  EXPECT_EQ(p.Image()[9 + 2], 0xE8) << "è is one CP1252 byte";
  EXPECT_EQ(p.Image()[9 + 13], 0x80) << "the euro sign is 0x80";
  EXPECT_EQ(p.PresetName(), "Crème Brûlée €" + std::string(6, ' '));
  p.SetPresetName("日本");
  EXPECT_EQ(p.PresetName(), "??" + std::string(18, ' '));
}

TEST_F(PresetRecord, RoutingWordSettersKeepTheOtherBits) {
  CPreset p = PresetBuilder().Build();
  p.SetRouting(2);
  p.SetRelay(1, 1);
  p.SetRelay(2, 1);
  p.SetOutLevel(127);
  EXPECT_EQ(p.Value(157), 0x7FE);
  p.SetRouting(1);
  EXPECT_EQ(p.OutLevel(), 127);
  EXPECT_EQ(p.Relay(1), 1);
  EXPECT_EQ(p.Relay(2), 1);
  EXPECT_EQ(p.Relay(0), 1) << "any relay number but 1 reads bit 10";
  p.SetRelay(1, 0);
  EXPECT_EQ(p.Value(157), 0x5FD);
  // Bits 11-13 are kept; bits 14-23 are cleared by every setter.
  p.SetValue(157, 0xFFC000 | 0x3800);
  p.SetOutLevel(5);
  EXPECT_EQ(p.Value(157), 0x3800 | (5 << 2));
  // Found by fuzzing: the multiplications overflowed for large values.
  p.SetOutLevel(INT32_MAX);
  EXPECT_EQ(p.OutLevel(), 127);
  p.SetRelay(1, INT32_MIN);
  p.SetRelay(2, INT32_MAX);
  EXPECT_EQ(p.Relay(2), 1);
  EXPECT_EQ(p.Value(161), 0) << "the tap tempo next door is untouched";
}

TEST_F(PresetRecord, SaveWritesAFileThatReadsBackIdentically) {
  CPreset p = PresetBuilder().Name("Lead").Number(107).Scramble(3).Build();
  const std::string path = dir.File("lead.syx");
  ASSERT_TRUE(p.Save(path, 1)) << "position 1 is the start of the file";
  const auto bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 615u);
  EXPECT_EQ(bytes, std::vector<uint8_t>(p.Image().begin(), p.Image().end()));
  CPreset q;
  ASSERT_TRUE(q.Read(path));
  EXPECT_EQ(q.PresetName(), "Lead" + std::string(16, ' '));
  EXPECT_EQ(q.PresetNumber(), 107);
  EXPECT_TRUE(dialogs.Shown().empty());
  EXPECT_FALSE(std::filesystem::exists(path + ".lindel-tmp"));
}

TEST_F(PresetRecord, SaveOfAnInvalidRecordClearsItAndSaysSo) {
  CPreset p;
  p.SetPresetName("Never");
  EXPECT_FALSE(p.Save(dir.File("x.syx"), 0));
  EXPECT_TRUE(dialogs.Shown().empty()) << "the caller shows the refusal";
  ShowRefusal(p.Refused());
  ASSERT_EQ(dialogs.Shown().size(), 1u);
  EXPECT_EQ(dialogs.Shown()[0].text, "Not a valid preset");
  EXPECT_EQ(dialogs.Shown()[0].title, "CPreset.Save");
  for (uint8_t b : p.Image()) ASSERT_EQ(b, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.syx")));
}

TEST_F(PresetRecord, ReadFromFileAndWriteToFileAddressSlots) {
  const std::string path = dir.File("dump.syx");
  WriteBytes(path, DumpBytes(3));
  CFile file;
  ASSERT_TRUE(file.OpenFile(path));
  CPreset p;
  ASSERT_TRUE(p.ReadFromFile(file, 2));
  EXPECT_EQ(p.PresetNumber(), 103);
  EXPECT_FALSE(p.ReadFromFile(file, 3)) << "past the end";

  CPreset edited = PresetBuilder().Name("Slot one").Number(150).Build();
  edited.SetValue(169, 9);  // checksum now stale: WriteToFile recomputes it
  ASSERT_TRUE(edited.WriteToFile(file, 1));
  CPreset back;
  ASSERT_TRUE(back.ReadFromFile(file, 1));
  EXPECT_EQ(back.Value(169), 9);
  EXPECT_EQ(back.PresetNumber(), 150);
  EXPECT_TRUE(dialogs.Shown().empty());
  EXPECT_EQ(ReadBytes(path).size(), 3u * 615);
}

TEST_F(PresetRecord, ReadOfMissingOrEmptyFileFails) {
  CPreset p;
  EXPECT_FALSE(p.Read(dir.File("none.syx")));
  EXPECT_TRUE(dialogs.Shown().empty()) << "a missing file fails silently";
  WriteBytes(dir.File("empty.syx"), {});
  EXPECT_FALSE(p.Read(dir.File("empty.syx")));
  EXPECT_FALSE(p.Read(dir.Path().string())) << "a folder is no preset file";
}

}  // namespace
