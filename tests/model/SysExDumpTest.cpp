#include <gtest/gtest.h>

#include "CSysEx.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

namespace {

class SysExDump : public ::testing::Test {
 protected:
  std::string WriteDump(const std::vector<uint8_t>& bytes) {
    WriteBytes(dir.File("dump.syx"), bytes);
    return dir.File("dump.syx");
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
  EXPECT_EQ(dump.Preset(slots), nullptr);
  EXPECT_EQ(dump.Preset(-1), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SlotArithmetic,
                         ::testing::Values(std::pair{std::size_t{0}, 0}, std::pair{std::size_t{307}, 0},
                                           std::pair{std::size_t{308}, 1}, std::pair{std::size_t{1537}, 2},
                                           std::pair{std::size_t{1538}, 3}, std::pair{std::size_t{1845}, 3}));

TEST_F(SysExDump, RepeatedRequestsGiveTheSameObjectUntilAnotherSlotIsLoaded) {
  const auto bytes = DumpBytes(3);
  const std::string path = WriteDump(bytes);
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(path));
  const auto third = dump.Preset(2);
  EXPECT_EQ(std::vector<uint8_t>(third->Image().begin(), third->Image().end()), Slots(bytes, 2));
  third->SetPresetName("Edited");
  WriteBytes(path, DumpBytes(3, 150));  // the file changes behind the dump's back
  EXPECT_EQ(dump.Preset(2), third) << "the current slot is not read again";
  dump.Preset(0);
  EXPECT_EQ(dump.Preset(2)->PresetNumber(), 152) << "another slot and back reads the file";
}

TEST_F(SysExDump, LabelsComeStraightFromTheFileEvenForDamagedSlots) {
  auto bytes = Joined({PresetBuilder().Name("Clean").Number(101).BadChecksum().Bytes(),
                       PresetBuilder().Name("Factory").Number(5).Bytes()});
  bytes.resize(615 * 2 + 400);  // a third slot, cut short
  CSysEx dump(ShowRefusal);
  ASSERT_TRUE(dump.OpenFile(WriteDump(bytes)));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Invalid Patch file -- bad checksum"}) << "slot 0 loaded";
  EXPECT_EQ(dump.PresetName(0), "1 - Clean               ");
  EXPECT_EQ(dump.PresetName(1), "-95 - Factory             ");
  EXPECT_EQ(dump.PresetName(2), "-100 - " + std::string(20, '\0'));
  EXPECT_EQ(dump.PresetName(3), "");
  EXPECT_EQ(dialogs.Texts().size(), 1u) << "labels do not test the checksum";
}

TEST_F(SysExDump, UpdatedSlotReadsBackWithItsEditsAndAFreshChecksum) {
  const auto bytes = DumpBytes(3);
  const std::string path = WriteDump(bytes);
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(path));
  const auto p = dump.Preset(1);
  p->SetValue(169, 42);
  p->SetPresetName("Edited slot");
  dump.UpdatePreset(p);
  const auto after = ReadBytes(path);
  EXPECT_EQ(after.size(), bytes.size());
  EXPECT_EQ(Slots(after, 0), Slots(bytes, 0));
  EXPECT_EQ(Slots(after, 2), Slots(bytes, 2));
  CPreset reread;
  ASSERT_TRUE(reread.Read(path, 1)) << "checksum recomputed";
  EXPECT_EQ(reread.Value(169), 42);
  dump.Preset(0);  // away and back: the slot and its label come from the new file
  EXPECT_EQ(dump.Preset(1)->PresetName(), "Edited slot" + std::string(9, ' '));
  EXPECT_EQ(dump.PresetName(1), "2 - Edited slot" + std::string(9, ' '));
}

TEST_F(SysExDump, SplitsAHundredPresetsIntoAHundredFilesAndReloadsTheCurrentSlot) {
  const auto bytes = DumpBytes(100);
  CSysEx dump(ShowRefusal);
  ASSERT_TRUE(dump.OpenFile(WriteDump(bytes)));
  dump.Preset(40);
  const auto out = dir.Path() / "out";
  std::filesystem::create_directory(out);
  EXPECT_TRUE(dump.SplitFile(out).AllWritten());
  for (int n = 1; n <= 100; ++n) {
    ASSERT_EQ(ReadBytes((out / ("preset_" + std::to_string(n) + ".syx")).string()), Slots(bytes, n - 1)) << n;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 100);
  EXPECT_EQ(dump.Preset(40)->PresetNumber(), 141);
  EXPECT_TRUE(dialogs.Shown().empty());
}

// A dump named like one of its slots' files (preset_8.syx holding U7, U8)
// is refused whole, whichever slot it is and whether that slot is damaged.
TEST_F(SysExDump, SplitThatWouldReplaceTheDumpWritesNothing) {
  const auto bytes = Joined({PresetBuilder().Number(107).Bytes(), PresetBuilder().Number(108).BadChecksum().Bytes()});
  const std::string path = dir.File("preset_8.syx");
  WriteBytes(path, bytes);
  CSysEx dump(ShowRefusal);
  ASSERT_TRUE(dump.OpenFile(path));
  dialogs.Clear();
  const SplitResult result = dump.SplitFile(dir.Path());
  EXPECT_EQ(result.refused, "slot 1 would replace the dump itself (" + path + "): nothing was split");
  EXPECT_TRUE(result.slots.empty());
  EXPECT_FALSE(result.AllWritten());
  EXPECT_EQ(ReadBytes(path), bytes);
  EXPECT_FALSE(std::filesystem::exists(dir.File("preset_7.syx")));
  EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(SysExDump, SplitSkipsABadSlotAndACutOffSlotAndWritesEveryOther) {
  auto bytes =
      Joined({DumpBytes(2), PresetBuilder().Number(150).Value(169, 3).BadChecksum().Bytes(), DumpBytes(2, 103)});
  bytes.resize(bytes.size() + 400, 0);  // an all-zero partial slot would pass its checksum
  CSysEx dump(ShowRefusal);
  ASSERT_TRUE(dump.OpenFile(WriteDump(bytes)));
  dialogs.Clear();
  const SplitResult result = dump.SplitFile(dir.Path());
  EXPECT_EQ(result.Written(), 4);
  EXPECT_EQ(result.slots.at(2).outcome, SplitSlot::Outcome::BadChecksum);
  EXPECT_EQ(result.slots.at(2).file.filename(), "preset_50.syx");
  EXPECT_EQ(result.slots.at(5).outcome, SplitSlot::Outcome::Incomplete);
  for (const char* name : {"preset_1.syx", "preset_2.syx", "preset_3.syx", "preset_4.syx"}) {
    EXPECT_EQ(ReadBytes(dir.File(name)).size(), 615u) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("preset_50.syx")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("preset_-100.syx")));
  EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"Invalid Patch file -- bad checksum", "Not a valid preset"}));
}

TEST_F(SysExDump, OpenFailureLeavesNoFileAndNoSlots) {
  CSysEx dump(ShowRefusal);
  ASSERT_TRUE(dump.OpenFile(WriteDump(DumpBytes(2))));
  EXPECT_FALSE(dump.OpenFile(dir.File("missing.syx")));
  EXPECT_EQ(dump.FileName(), "");
  EXPECT_EQ(dump.Preset(0), nullptr);
  EXPECT_TRUE(dialogs.Shown().empty()) << "the caller reports the failure";
}

}  // namespace
