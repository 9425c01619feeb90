#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "Bank.h"
#include "Fingerprint.h"
#include "LibraryError.h"
#include "PresetBuilder.h"
#include "PresetLibrary.h"
#include "Sqlite.h"
#include "TempDir.h"

namespace {

PresetImage Image(const PresetBuilder& builder) { return builder.Build().Image(); }

PresetBuilder Sound(uint32_t seed, const std::string& name = "Sound") {
  return PresetBuilder().Name(name).Number(101).Scramble(seed);
}

struct IdentityCase {
  const char* what;
  int offset;
  bool sameSound;
};

class FingerprintIdentity : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(FingerprintIdentity, OnlyTheSoundBytesCount) {
  const PresetImage base = Image(Sound(7));
  PresetImage changed = base;
  changed[static_cast<std::size_t>(GetParam().offset)] ^= 0x01;
  EXPECT_EQ(Fingerprint(base) == Fingerprint(changed), GetParam().sameSound);
  EXPECT_EQ(SameSound(base, changed), GetParam().sameSound);
}

INSTANTIATE_TEST_SUITE_P(Bytes, FingerprintIdentity,
                         ::testing::Values(IdentityCase{"device id", 4, true}, IdentityCase{"number", Offset::Number, true},
                                           IdentityCase{"name", Offset::Name + 3, true},
                                           IdentityCase{"checksum", Offset::Checksum, true},
                                           IdentityCase{"first modifier", Offset::FirstModifier, false},
                                           IdentityCase{"routing word", Offset::RoutingWord, false},
                                           IdentityCase{"last sound byte", Offset::Checksum - 1, false}),
                         [](const auto& info) {
                           std::string name = info.param.what;
                           for (char& c : name) c = c == ' ' ? '_' : c;
                           return name;
                         });

class Library : public ::testing::Test {
 protected:
  TempDir dir;
  PresetLibrary library{dir.File("lib/library.db")};
  LibrarySource file{"file", "/presets/a.syx", 0};
};

TEST_F(Library, OneSoundUnderManyNamesKeepsEveryNameAndTheLatest) {
  const KeepResult first = library.Keep(Image(Sound(1, "Crunch")), file);
  const KeepResult again = library.Keep(Image(Sound(1, "Crunch 2").Number(150)), {"dump", "backup", 3});
  const KeepResult other = library.Keep(Image(Sound(2, "Crunch")), file);
  EXPECT_TRUE(first.added);
  EXPECT_FALSE(again.added);
  EXPECT_EQ(again.id, first.id);
  EXPECT_TRUE(other.added) << "two sounds with one name are two entries";

  const LibraryEntry entry = *library.Entry(first.id);
  EXPECT_EQ(entry.row.name, "Crunch 2");
  EXPECT_EQ(entry.aliases, (std::vector<std::string>{"Crunch", "Crunch 2"}));
  ASSERT_EQ(entry.sources.size(), 2u);
  EXPECT_EQ(entry.sources[1].kind, "dump");
  EXPECT_EQ(entry.sources[1].slot, 3);
}

TEST_F(Library, ARenameStaysWhenTheSoundArrivesAgain) {
  const int64_t id = library.Keep(Image(Sound(1, "Old")), file).id;
  library.Rename(id, "A name longer than twenty characters");
  library.Keep(Image(Sound(1, "Newer")), file);
  const LibraryEntry entry = *library.Entry(id);
  EXPECT_EQ(entry.row.name, "A name longer than t");
  EXPECT_EQ(entry.aliases, (std::vector<std::string>{"Old", "Newer"}));
}

TEST_F(Library, HistoryWalksTheWholeLineageFromAnyVersion) {
  const int64_t root = library.Keep(Image(Sound(1)), file).id;
  const int64_t edit = library.KeepVersion(Image(Sound(2)), root, {"editor", "", -1}).id;
  const int64_t branch = library.KeepVersion(Image(Sound(3)), root, {"editor", "", -1}).id;
  const int64_t late = library.KeepVersion(Image(Sound(4)), edit, {"editor", "", -1}).id;
  library.Keep(Image(Sound(5)), file);  // unrelated

  std::vector<int64_t> ids;
  for (const EntryRow& row : library.History(branch)) ids.push_back(row.id);
  EXPECT_EQ(ids, (std::vector<int64_t>{root, edit, late, branch}));
  EXPECT_EQ(library.Entry(late)->row.parent, edit);

  library.Purge(edit);
  EXPECT_FALSE(library.Entry(edit));
  EXPECT_FALSE(library.Entry(late)->row.parent) << "a purged parent unlinks its versions";
  EXPECT_THROW(library.KeepVersion(Image(Sound(6)), edit, file), LibraryError);
}

TEST_F(Library, AnEditorVersionOfAnUnchangedSoundIsTheSameEntry) {
  const int64_t root = library.Keep(Image(Sound(1)), file).id;
  const KeepResult same = library.KeepVersion(Image(Sound(1, "Renamed only")), root, {"editor", "", -1});
  EXPECT_FALSE(same.added);
  EXPECT_EQ(same.id, root);
  EXPECT_FALSE(library.Entry(root)->row.parent);
}

TEST_F(Library, UnknownEntriesAreNamed) {
  try {
    library.SetFavourite(42, true);
    FAIL();
  } catch (const LibraryError& e) {
    EXPECT_STREQ(e.what(), "no library entry 42");
  }
}

TEST(LibraryFile, ReopensWithoutMigratingAndRefusesANewerSchema) {
  TempDir dir;
  const std::string path = dir.File("library.db");
  { PresetLibrary(path).Keep(Image(Sound(1)), {"file", "x", 0}); }
  { EXPECT_EQ(PresetLibrary(path).Stats().entries, 1); }
  EXPECT_FALSE(std::filesystem::exists(path + ".v1.bak"));
  {
    SqliteDb db(path);
    db.Exec("PRAGMA user_version = 99");
  }
  EXPECT_THROW(PresetLibrary{path}, LibraryError);
}

// Each older schema, made by taking the later steps back: opened, it is
// brought up to date beside a copy of itself, and no entry or link is lost.
class OlderLibrary : public testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(OlderLibrary, IsMigratedBesideABackupAndKeepsItsEntries) {
  const auto [version, stepsBack] = GetParam();
  TempDir dir;
  const std::string path = dir.File("library.db");
  int64_t root = 0, edit = 0;
  {
    PresetLibrary library(path);
    root = library.Keep(Image(Sound(1)), {"file", "x", 0}).id;
    edit = library.KeepVersion(Image(Sound(2)), root, {"editor", "", -1}).id;
    library.Database().Exec(stepsBack);
  }
  PresetLibrary library(path);
  EXPECT_TRUE(std::filesystem::exists(path + ".v" + std::to_string(version) + ".bak"));
  SqliteStatement index(library.Database(), "SELECT sql FROM sqlite_master WHERE name = 'entries_parent'");
  ASSERT_TRUE(index.Step());
  EXPECT_NE(index.Text(0).find("WHERE parent IS NOT NULL"), std::string::npos);
  ASSERT_EQ(library.History(edit).size(), 2u);
  EXPECT_EQ(library.History(edit)[0].id, root);
  BankStore banks(library);  // a first version gets the bank tables
  banks.Create("Live");
  BankPlan plan;
  plan.Set(1, root);
  banks.Save("Live", plan);
  EXPECT_EQ(banks.Load("Live").Filled(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, OlderLibrary,
    testing::Values(std::pair{2, "DROP INDEX entries_parent; CREATE INDEX entries_parent ON entries(parent);"
                                 "PRAGMA user_version = 2;"},
                    std::pair{1, "DROP INDEX entries_parent; CREATE INDEX entries_parent ON entries(parent);"
                                 "DROP TABLE banks; DROP TABLE bank_slots; DROP TABLE device_slots;"
                                 "PRAGMA user_version = 1;"}),
    [](const testing::TestParamInfo<std::pair<int, const char*>>& info) {
      return "FromVersion" + std::to_string(info.param.first);
    });

TEST(LibraryFile, AReadOnlyFolderGetsAClearMessage) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("ro"));
  chmod(dir.File("ro").c_str(), 0555);
  try {
    PresetLibrary library(dir.File("ro/library.db"));
    FAIL();
  } catch (const LibraryError& e) {
    EXPECT_NE(std::string(e.what()).find("is read-only"), std::string::npos) << e.what();
  }
  chmod(dir.File("ro").c_str(), 0755);
}

}  // namespace
