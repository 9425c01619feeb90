#include <gtest/gtest.h>
#include <unistd.h>

#include "CSysEx.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

namespace {

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, int slot) {
  return {bytes.begin() + slot * 615, bytes.begin() + (slot + 1) * 615};
}

void Append(std::vector<uint8_t>& dump, const std::vector<uint8_t>& more) { dump.insert(dump.end(), more.begin(), more.end()); }

class SysExDump : public ::testing::Test {
 protected:
  std::string WriteDump(const std::vector<uint8_t>& bytes, const std::string& name = "dump.syx") {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
  ScriptedDialogs dialogs;
  TempDir dir;
};

class SlotArithmetic : public SysExDump, public ::testing::WithParamInterface<std::pair<std::size_t, int>> {};

TEST_P(SlotArithmetic, CountRoundsToTheNearestSlot) {
  const auto [size, slots] = GetParam();
  std::vector<uint8_t> bytes = DumpBytes(3);
  bytes.resize(size, 0);
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(WriteDump(bytes)));
  EXPECT_EQ(dump.Count(), slots);
  EXPECT_EQ(dump.Preset(slots), nullptr) << "no slot at Count";
  EXPECT_EQ(dump.Preset(-1), nullptr);
  if (slots > 0) {
    EXPECT_NE(dump.Preset(slots - 1), nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SlotArithmetic,
                         ::testing::Values(std::pair{std::size_t{0}, 0}, std::pair{std::size_t{307}, 0},
                                           std::pair{std::size_t{308}, 1}, std::pair{std::size_t{615}, 1},
                                           std::pair{std::size_t{1537}, 2}, std::pair{std::size_t{1538}, 3},
                                           std::pair{std::size_t{1845}, 3}));

TEST_F(SysExDump, RepeatedRequestsGiveTheSameObjectUntilAnotherSlotIsLoaded) {
  const auto bytes = DumpBytes(3);
  const std::string path = WriteDump(bytes);
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(path));
  EXPECT_EQ(dump.FileName(), path);
  const auto third = dump.Preset(2);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->PresetNumber(), 103) << "slot 2 starts at byte 1230";
  EXPECT_EQ(std::vector<uint8_t>(third->Image().begin(), third->Image().end()), Slice(bytes, 2));

  third->SetPresetName("Edited");
  WriteBytes(path, DumpBytes(3, 150));  // the file changes behind the dump's back
  EXPECT_EQ(dump.Preset(2), third) << "the current slot is not read again";
  EXPECT_EQ(dump.Preset(2)->PresetName(), "Edited" + std::string(14, ' '));

  dump.Preset(0);
  const auto reread = dump.Preset(2);
  EXPECT_NE(reread, third);
  EXPECT_EQ(reread->PresetNumber(), 152) << "loading another slot and back reads the file";
}

TEST_F(SysExDump, LabelsComeStraightFromTheFileEvenForDamagedSlots) {
  std::vector<uint8_t> bytes = PresetBuilder().Name("Clean").Number(101).BadChecksum().Bytes();
  Append(bytes, PresetBuilder().Name("Factory").Number(5).Bytes());
  Append(bytes, PresetBuilder().Name("Cut short").Number(120).Bytes());
  bytes.resize(2 * 615 + 400);
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(WriteDump(bytes)));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Invalid Patch file -- bad checksum"})
      << "loading slot 0 on open";
  EXPECT_FALSE(dump.Preset(0)->IsValid());

  dialogs.Clear();
  EXPECT_EQ(dump.PresetName(0), "1 - Clean               ");
  EXPECT_EQ(dump.PresetName(1), "-95 - Factory             ");
  EXPECT_EQ(dump.PresetName(2), "20 - Cut short           ");
  EXPECT_EQ(dump.PresetName(3), "");
  EXPECT_EQ(dump.PresetName(-1), "");
  EXPECT_TRUE(dialogs.Shown().empty()) << "labels do not test the checksum";

  dump.Preset(1);
  dump.Preset(0);
  EXPECT_EQ(dialogs.Texts().size(), 1u) << "the message comes each time the damaged slot is loaded";
}

TEST_F(SysExDump, UpdatedSlotReadsBackWithItsEditsAndAFreshChecksum) {
  const auto bytes = DumpBytes(3);
  const std::string path = WriteDump(bytes);
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(path));
  const auto p = dump.Preset(1);
  p->SetPresetName("Edited");
  p->SetValue(169, 42);
  dump.UpdatePreset(p);
  EXPECT_TRUE(p->IsValid());

  const auto after = ReadBytes(path);
  ASSERT_EQ(after.size(), bytes.size());
  EXPECT_EQ(Slice(after, 0), Slice(bytes, 0));
  EXPECT_EQ(Slice(after, 2), Slice(bytes, 2));
  CSysEx reopened;
  ASSERT_TRUE(reopened.OpenFile(path));
  const auto reread = reopened.Preset(1);
  EXPECT_TRUE(reread->IsValid()) << "checksum recomputed";
  EXPECT_EQ(reread->PresetName(), "Edited" + std::string(14, ' '));
  EXPECT_EQ(reread->Value(169), 42);
  EXPECT_TRUE(dialogs.Shown().empty());

  const auto replacement = std::make_shared<CPreset>(PresetBuilder().Name("Other").Number(199).Build());
  dump.UpdatePreset(replacement);
  EXPECT_EQ(dump.Preset(1), replacement) << "the updated preset becomes the current one";
  EXPECT_EQ(reopened.PresetName(1), "99 - Other               ");
}

TEST_F(SysExDump, SplitsAHundredPresetsIntoAHundredFiles) {
  const auto bytes = DumpBytes(100);
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(WriteDump(bytes)));
  const auto current = dump.Preset(40);
  const std::filesystem::path out = dir.Path() / "out";
  std::filesystem::create_directory(out);

  const SplitResult result = dump.SplitFile(out);
  EXPECT_TRUE(result.AllWritten());
  ASSERT_EQ(result.slots.size(), 100u);
  for (int n = 1; n <= 100; ++n) {
    const std::string file = (out / ("preset_" + std::to_string(n) + ".syx")).string();
    ASSERT_EQ(ReadBytes(file), Slice(bytes, n - 1)) << file;
    EXPECT_EQ(result.slots[n - 1].file, file);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 100);
  EXPECT_EQ(dump.Preset(40)->PresetNumber(), 141) << "the remembered slot is loaded again";
  EXPECT_NE(dump.Preset(40), current) << "a fresh copy, since the loop ended on another slot";
  EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(SysExDump, SplitWithoutAFolderWritesIntoTheCurrentDirectory) {
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(WriteDump(DumpBytes(2, 7))));
  const auto previous = std::filesystem::current_path();
  std::filesystem::create_directory(dir.Path() / "cwd");
  std::filesystem::current_path(dir.Path() / "cwd");
  const SplitResult result = dump.SplitFile();
  std::filesystem::current_path(previous);
  EXPECT_TRUE(result.AllWritten());
  EXPECT_EQ(ReadBytes(dir.File("cwd/preset_-93.syx")).size(), 615u) << "factory preset 7 shows as -93";
  EXPECT_EQ(ReadBytes(dir.File("cwd/preset_-92.syx")).size(), 615u);
}

TEST_F(SysExDump, SplitSkipsABadSlotAndACutOffSlotAndWritesEveryOther) {
  std::vector<uint8_t> bytes = DumpBytes(2);
  Append(bytes, PresetBuilder().Number(150).Value(169, 3).BadChecksum().Bytes());
  Append(bytes, DumpBytes(2, 103));
  bytes.resize(bytes.size() + 400, 0);  // an all-zero partial slot would pass its checksum
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(WriteDump(bytes)));
  ASSERT_EQ(dump.Count(), 6);
  dialogs.Clear();

  const SplitResult result = dump.SplitFile(dir.Path());
  EXPECT_TRUE(result.finished);
  EXPECT_FALSE(result.AllWritten());
  EXPECT_EQ(result.Written(), 4);
  EXPECT_EQ(result.slots[2].outcome, SplitSlot::Outcome::BadChecksum);
  EXPECT_EQ(result.slots[2].file.filename(), "preset_50.syx");
  EXPECT_EQ(result.slots[5].outcome, SplitSlot::Outcome::Incomplete);
  for (const char* name : {"preset_1.syx", "preset_2.syx", "preset_3.syx", "preset_4.syx"}) {
    EXPECT_EQ(ReadBytes(dir.File(name)).size(), 615u) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("preset_50.syx")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("preset_-100.syx")));
  ASSERT_EQ(dialogs.Shown().size(), 2u);
  EXPECT_EQ(dialogs.Shown()[0].text, "Invalid Patch file -- bad checksum");
  EXPECT_EQ(dialogs.Shown()[1].text, "Not a valid preset");
  EXPECT_EQ(dialogs.Shown()[1].title, "CPreset.Save");
}

TEST_F(SysExDump, SplitIntoAMissingFolderWritesNothingAndSaysSo) {
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(WriteDump(DumpBytes(2))));
  const SplitResult result = dump.SplitFile(dir.Path() / "missing");
  ASSERT_EQ(result.slots.size(), 2u);
  EXPECT_EQ(result.Written(), 0);
  EXPECT_EQ(result.slots[0].outcome, SplitSlot::Outcome::WriteFailed);
  EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"File is already open", "File is already open"}));
}

TEST_F(SysExDump, OpenFailureLeavesNoFileAndNoSlots) {
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(WriteDump(DumpBytes(2))));
  EXPECT_FALSE(dump.OpenFile(dir.File("missing.syx")));
  EXPECT_EQ(dump.FileName(), "");
  EXPECT_EQ(dump.Count(), 0);
  EXPECT_EQ(dump.Preset(0), nullptr);
  EXPECT_FALSE(dump.OpenFile(dir.Path().string())) << "a folder is not a dump";
  EXPECT_TRUE(dialogs.Shown().empty()) << "the caller reports the failure";
  EXPECT_TRUE(dump.SplitFile(dir.Path()).slots.empty());
}

}  // namespace
