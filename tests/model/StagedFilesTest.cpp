#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "StagedFiles.h"
#include "TempDir.h"

namespace {

int FilesIn(const std::filesystem::path& folder) {
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(StagedFiles, FilesTakeTheirNamesOnlyAtCommitAndALaterOneWins) {
  ScriptedDialogs dialogs;
  TempDir dir;
  const std::vector<uint8_t> old{1}, first{2, 2}, second{3, 3, 3};
  WriteBytes(dir.File("a.syx"), old);
  {
    StagedFiles dropped;
    ASSERT_TRUE(dropped.Stage(dir.File("a.syx"), first, 0));
  }
  EXPECT_EQ(FilesIn(dir.Path()), 1) << "an uncommitted file vanishes";
  StagedFiles files;
  ASSERT_TRUE(files.Stage(dir.File("a.syx"), first, 0));
  ASSERT_TRUE(files.Stage(dir.File("b.syx"), first, 1));
  ASSERT_TRUE(files.Stage(dir.File("a.syx"), second, 0));
  EXPECT_EQ(ReadBytes(dir.File("a.syx")), old);
  EXPECT_EQ(files.Commit(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(ReadBytes(dir.File("a.syx")), second);
  EXPECT_EQ(ReadBytes(dir.File("b.syx")), first) << "position 1 is the start";
  EXPECT_EQ(FilesIn(dir.Path()), 2) << "no temporary file left";
  EXPECT_TRUE(dialogs.Shown().empty());
}

}  // namespace
