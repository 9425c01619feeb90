#include <gtest/gtest.h>

#include "CFile.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

namespace {

class FileAccess : public ::testing::Test {
 protected:
  std::string SixBytes() {
    const std::string path = dir.File("six.bin");
    WriteBytes(path, {1, 2, 3, 4, 5, 6});
    return path;
  }
  ScriptedDialogs dialogs;
  TempDir dir;
};

TEST_F(FileAccess, PositionOneIsTheStart) {
  CFile f;
  ASSERT_TRUE(f.Create(dir.File("a.bin")));
  const std::vector<uint8_t> data{9, 8, 7};
  ASSERT_TRUE(f.Save(data, 0, 1, 3));
  EXPECT_EQ(ReadBytes(dir.File("a.bin")), data);
  std::vector<uint8_t> back(3);
  ASSERT_TRUE(f.Read(back, 0, 1, 3));
  EXPECT_EQ(back, data);
  ASSERT_TRUE(f.Read(back, 0, 2, 1));
  EXPECT_EQ(back[0], 7) << "position 2 is a real position";
}

TEST_F(FileAccess, ShortReadsFailAndOffsetsAreChecked) {
  CFile f;
  ASSERT_TRUE(f.OpenFile(SixBytes()));
  std::vector<uint8_t> buf(10, 0);
  EXPECT_FALSE(f.Read(buf, 0, 3, 5)) << "only 3 bytes left";
  EXPECT_TRUE(f.Read(buf, 2, 3, 3));
  EXPECT_EQ(buf[2], 4);
  EXPECT_FALSE(f.Read(buf, 8, 0, 3)) << "would run past the array";
  EXPECT_FALSE(f.Read(buf, 10, 0, 0)) << "the first element must exist";
  EXPECT_FALSE(f.Read(buf, 0, -5, 1));
  EXPECT_EQ(f.Size(), 6);
}

TEST_F(FileAccess, WriteTextOverwritesWithoutTruncatingOrAppends) {
  CFile f;
  const std::string path = SixBytes();
  ASSERT_TRUE(f.OpenFile(path));
  ASSERT_TRUE(f.WriteText("abc"));
  EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{'a', 'b', 'c', 4, 5, 6}));
  ASSERT_TRUE(f.WriteText("é", true));
  EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{'a', 'b', 'c', 4, 5, 6, 0xE9}));
}

// Create empties an existing file; its failure shows the only message of the file layer.
TEST_F(FileAccess, CreateEmptiesAFileAndItsFailureIsTheOneMessageShown) {
  CFile f;
  const std::string path = SixBytes();
  ASSERT_TRUE(f.Create(path));
  EXPECT_EQ(f.Size(), 0);
  EXPECT_EQ(f.Name(), path);
  CFile g;
  EXPECT_FALSE(g.Create(dir.File("no/such/folder.bin")));
  ASSERT_EQ(dialogs.Shown().size(), 1u);
  EXPECT_EQ(dialogs.Shown()[0].text, "File is already open");
  EXPECT_EQ(dialogs.Shown()[0].title, "Error");
  EXPECT_EQ(dialogs.Shown()[0].icon, MessageIcon::Critical);
  EXPECT_FALSE(g.Create(dir.Path().string())) << "a folder cannot be created over";
  EXPECT_FALSE(g.OpenFile(dir.File("missing.bin")));
  EXPECT_FALSE(g.OpenFile(dir.Path().string()));
  EXPECT_EQ(dialogs.Shown().size(), 2u) << "OpenFile never shows a message";
  EXPECT_EQ(g.Name(), "");
}

TEST_F(FileAccess, PartialReadWalksTheFileAndPartialSaveAppends) {
  CFile f;
  const std::string path = SixBytes();
  ASSERT_TRUE(f.OpenFile(path));
  std::vector<uint8_t> four(4);
  EXPECT_EQ(f.PartialRead(four), 4);
  EXPECT_EQ(four, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(f.PartialRead(four), 2) << "the rest of the file";
  EXPECT_EQ(f.PartialRead(four), 0) << "end of file";
  const std::vector<uint8_t> tail{7, 8};
  EXPECT_EQ(f.PartialSave(tail), 2);
  EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(FileAccess, ClosedFileRefusesEverything) {
  CFile f;
  std::vector<uint8_t> buf(4);
  EXPECT_FALSE(f.Read(buf, 0, 0, 1));
  EXPECT_FALSE(f.Save(buf, 0, 0, 1));
  EXPECT_FALSE(f.WriteText("x"));
  EXPECT_EQ(f.PartialRead(buf), 0);
  EXPECT_EQ(f.PartialSave(buf), 0);
  EXPECT_EQ(f.Size(), 0);
}

TEST_F(FileAccess, FullDeviceRefusesWrites) {
  CFile f;
  ASSERT_TRUE(f.OpenFile("/dev/full"));
  const std::vector<uint8_t> data(615, 1);
  EXPECT_FALSE(f.Save(data, 0, 0, 615));
  EXPECT_EQ(f.PartialSave(data), 0);
}

}  // namespace
