#include <gtest/gtest.h>

#include "PresetImport.h"
#include "ServerFixture.h"

namespace {

using Import = ServiceFixture;

TEST_F(Import, DumpFileStoresEveryValidSlotAndReportsTheRest) {
  const auto bad = PresetBuilder().Name("Broken").BadChecksum().Bytes();
  WriteBytes(dir.File("dump.syx"), Joined({DumpBytes(3), bad, DumpBytes(1, 120), {0xF0, 0x00}}));
  const ImportReport report = ImportPresetFiles(*store, {dir.File("dump.syx")}, "Live set", "Sunday gig");
  EXPECT_EQ(report.added, 4);
  EXPECT_EQ(report.refused, 2);
  ASSERT_EQ(report.notes.size(), 2u);
  EXPECT_NE(report.notes[0].find("slot 4: preset refused: bad checksum"), std::string::npos) << report.notes[0];
  EXPECT_NE(report.notes[1].find("slot 6: preset refused: a preset is 615 bytes, this is 2"), std::string::npos);
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].name, "Preset 101");
  EXPECT_EQ(rows[3].name, "Preset 120");
  EXPECT_EQ(rows[3].song, "Live set");
  EXPECT_EQ(rows[3].description, "Sunday gig");
}

TEST_F(Import, ImportingAgainCountsDuplicatesNotFailures) {
  WriteBytes(dir.File("one.syx"), DumpBytes(1));
  ImportPresetFiles(*store, {dir.File("one.syx")}, "", "");
  const ImportReport again = ImportPresetFiles(*store, {dir.File("one.syx"), dir.File("one.syx")}, "", "");
  EXPECT_EQ(again.added, 0);
  EXPECT_EQ(again.duplicates, 2);
  EXPECT_EQ(again.refused, 0);
  EXPECT_EQ(store->Count(), 1);
}

TEST_F(Import, UnreadableFileIsReportedAndTheOthersStillGoIn) {
  WriteBytes(dir.File("good.syx"), DumpBytes(2));
  WriteBytes(dir.File("empty.syx"), {});
  const ImportReport report =
      ImportPresetFiles(*store, {dir.File("missing.syx"), dir.File("empty.syx"), dir.File("good.syx")}, "", "");
  EXPECT_EQ(report.added, 2);
  EXPECT_EQ(report.refused, 2);
  EXPECT_NE(report.notes.at(0).find("missing.syx"), std::string::npos);
  EXPECT_NE(report.notes.at(1).find("empty.syx: slot 1"), std::string::npos);
}

TEST_F(Import, TextOverItsLimitRefusesTheWholeRunOnce) {
  WriteBytes(dir.File("dump.syx"), DumpBytes(5));
  const ImportReport report = ImportPresetFiles(*store, {dir.File("dump.syx")}, std::string(81, 's'), "");
  EXPECT_EQ(report.added, 0);
  ASSERT_EQ(report.notes.size(), 1u);
  EXPECT_EQ(report.notes[0], "song is longer than 80 characters");
  EXPECT_EQ(store->Count(), 0);
}

}  // namespace
