#include <gtest/gtest.h>

#include <algorithm>

#include "ScriptedDialogs.h"
#include "StagedFiles.h"
#include "TempDir.h"

namespace {

class Staged : public ::testing::Test {
 protected:
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  ScriptedDialogs dialogs;
  TempDir dir;
};

const std::vector<uint8_t> kOld{1, 1, 1};
const std::vector<uint8_t> kFirst{2, 2};
const std::vector<uint8_t> kSecond{3, 3, 3, 3};

TEST_F(Staged, FilesTakeTheirNamesOnlyAtCommitAndALaterOneWins) {
  WriteBytes(dir.File("a.syx"), kOld);
  StagedFiles files;
  ASSERT_TRUE(files.Stage(dir.File("a.syx"), kFirst, 0));
  ASSERT_TRUE(files.Stage(dir.File("b.syx"), kFirst, 1));
  ASSERT_TRUE(files.Stage(dir.File("a.syx"), kSecond, 0));
  EXPECT_EQ(ReadBytes(dir.File("a.syx")), kOld) << "nothing replaced before the commit";
  EXPECT_FALSE(std::filesystem::exists(dir.File("b.syx")));

  EXPECT_EQ(files.Commit(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(ReadBytes(dir.File("a.syx")), kSecond);
  EXPECT_EQ(ReadBytes(dir.File("b.syx")), kFirst) << "position 1 is the start";
  EXPECT_EQ(FolderNames(), (std::vector<std::string>{"a.syx", "b.syx"})) << "no temporary file left";
  EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(Staged, UncommittedFilesVanishAndTargetsKeepTheirBytes) {
  WriteBytes(dir.File("a.syx"), kOld);
  {
    StagedFiles files;
    ASSERT_TRUE(files.Stage(dir.File("a.syx"), kFirst, 0));
    ASSERT_TRUE(files.Stage(dir.File("new.syx"), kFirst, 0));
  }
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"a.syx"});
  EXPECT_EQ(ReadBytes(dir.File("a.syx")), kOld);
}

TEST_F(Staged, AMissingFolderIsRefusedWithTheFileLayersMessage) {
  StagedFiles files;
  EXPECT_FALSE(files.Stage(dir.File("missing/a.syx"), kFirst, 0));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"File is already open"});
  EXPECT_TRUE(files.Commit().empty()) << "a refused file is not staged";
  EXPECT_TRUE(FolderNames().empty());
}

TEST_F(Staged, DevicesAreWrittenStraightAway) {
  StagedFiles files;
  EXPECT_TRUE(files.Stage("/dev/null", kFirst, 0));
  EXPECT_FALSE(files.Stage("/dev/full", kFirst, 0));
  EXPECT_EQ(files.Commit(), std::vector<bool>{true});
}

}  // namespace
