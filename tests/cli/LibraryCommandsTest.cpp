#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>

#include "CliTest.h"
#include "PresetBuilder.h"
#include "TempDir.h"

namespace {

using Json = nlohmann::json;

std::vector<uint8_t> Preset(uint32_t seed, const std::string& name, int number = 101) {
  return PresetBuilder().Name(name).Number(number).Scramble(seed).Bytes();
}

class CliLibrary : public ::testing::Test {
 protected:
  ProcessResult Library(std::vector<std::string> args) {
    std::vector<std::string> all = {"library", args.front(), "--library", db};
    all.insert(all.end(), args.begin() + 1, args.end());
    return Cli(all);
  }
  Json Search(std::vector<std::string> terms) {
    terms.insert(terms.begin(), {"search", "--json"});
    const ProcessResult r = Library(terms);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return Json::parse(r.out);
  }
  std::vector<std::string> Names(std::vector<std::string> terms) {
    std::vector<std::string> names;
    for (const Json& e : Search(std::move(terms))) names.push_back(e.at("name"));
    return names;
  }
  // A tree of singles and dumps with the same sounds under other names and
  // numbers, and damaged slots.
  void WriteTree() {
    std::filesystem::create_directories(dir.Path() / "tree" / "old" / "forum");
    WriteBytes(dir.File("tree/lead.syx"), Preset(1, "Lead"));
    WriteBytes(dir.File("tree/old/gig.SYX"), Joined({Preset(2, "Clean"), Preset(1, "Lead copy", 150), Preset(3, "Ambient")}));
    auto broken = PresetBuilder().Name("Broken").Scramble(4).BadChecksum().Bytes();
    WriteBytes(dir.File("tree/old/forum/mixed.syx"), Joined({Preset(2, "Clean v2", 120), broken, Preset(5, "Fuzz")}));
    WriteBytes(dir.File("tree/old/forum/readme.txt"), {'h', 'i'});
    auto cut = Preset(6, "Cut");
    cut.resize(400);
    WriteBytes(dir.File("tree/cut.syx"), cut);
  }
  int64_t IdOf(const std::string& name) {
    for (const Json& e : Search({name})) {
      if (e.at("name") == name) return e.at("id");
    }
    ADD_FAILURE() << "no entry " << name;
    return 0;
  }

  TempDir dir;
  std::string db = dir.File("data/library.db");
};

TEST_F(CliLibrary, ImportsATreeCountingAddedKnownAndRefused) {
  WriteTree();
  const ProcessResult first = Library({"import", dir.File("tree")});
  EXPECT_EQ(first.exitCode, 1);
  EXPECT_EQ(first.out, "4 added, 2 already there, 2 refused\n");
  EXPECT_NE(first.err.find("mixed.syx' slot 1: bad checksum"), std::string::npos) << first.err;
  EXPECT_NE(first.err.find("cut.syx' slot 0: the file ends inside the preset"), std::string::npos) << first.err;

  const Json entries = Search({});
  ASSERT_EQ(entries.size(), 4u);
  const Json& lead = entries.at(0);  // the tree is read in name order: cut, lead, old/forum, old/gig
  EXPECT_EQ(lead.at("name"), "Lead copy");
  EXPECT_EQ(lead.at("aliases"), Json({"Lead", "Lead copy"}));
  EXPECT_EQ(lead.at("sources").size(), 2u);
  EXPECT_EQ(lead.at("sources").at(1).at("slot"), 1);
  for (const char* key : {"id", "tags", "favourite", "hidden", "comment", "fingerprint", "first_seen", "last_seen", "parent"}) {
    EXPECT_TRUE(lead.contains(key)) << key;
  }

  const ProcessResult again = Library({"import", dir.File("tree/lead.syx"), dir.File("tree/old/gig.SYX")});
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_EQ(again.out, "0 added, 4 already there, 0 refused\n");
}

TEST_F(CliLibrary, UsageAndMissingFilesExitTwoAndWriteNothing) {
  EXPECT_EQ(Library({"import"}).exitCode, 2);
  const ProcessResult missing = Library({"import", dir.File("nothing-here")});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("no such file or folder"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(db));
  EXPECT_EQ(Library({"search", "delay=triple"}).exitCode, 2);
  EXPECT_EQ(Library({"fav", "99"}).exitCode, 2);
  EXPECT_EQ(Cli({"library", "frobnicate"}).exitCode, 2);
}

TEST_F(CliLibrary, EditsShowInSearchAndSurviveReimport) {
  WriteTree();
  Library({"import", dir.File("tree")});
  const int64_t clean = IdOf("Clean"), fuzz = IdOf("Fuzz"), ambient = IdOf("Ambient");
  struct Step {
    std::vector<std::string> args;
  };
  for (const Step& s : std::vector<Step>{{{"tag", std::to_string(clean), "live", "Sunday"}},
                                         {{"tag", std::to_string(clean), "sunday", "--remove"}},
                                         {{"fav", std::to_string(fuzz)}},
                                         {{"rename", std::to_string(clean), "Glass"}},
                                         {{"comment", std::to_string(ambient), "Swells for the intro"}},
                                         {{"hide", std::to_string(ambient)}}}) {
    const ProcessResult r = Library(s.args);
    EXPECT_EQ(r.exitCode, 0) << s.args[0] << ": " << r.err;
  }
  Library({"import", dir.File("tree")});
  EXPECT_EQ(Names({"tag:live"}), std::vector<std::string>{"Glass"});
  EXPECT_EQ(Names({"sunday"}), std::vector<std::string>{});
  EXPECT_EQ(Names({"fav"}), std::vector<std::string>{"Fuzz"});
  EXPECT_EQ(Names({"clean"}), std::vector<std::string>{"Glass"}) << "the old names stay findable";
  EXPECT_EQ(Names({"intro"}), std::vector<std::string>{});
  EXPECT_EQ(Names({"intro", "hidden"}), std::vector<std::string>{"Ambient"});

  EXPECT_EQ(Library({"fav", std::to_string(fuzz), "--off"}).exitCode, 0);
  EXPECT_EQ(Library({"hide", std::to_string(ambient), "--off"}).exitCode, 0);
  EXPECT_EQ(Names({"fav"}), std::vector<std::string>{});
  EXPECT_EQ(Names({"intro"}), std::vector<std::string>{"Ambient"});

  EXPECT_EQ(Library({"purge", std::to_string(ambient)}).exitCode, 0);
  EXPECT_EQ(Names({"intro", "hidden"}), std::vector<std::string>{});
  EXPECT_EQ(Library({"show", std::to_string(ambient)}).exitCode, 2);
}

TEST_F(CliLibrary, ExportGivesTheSoundUnderTheEntryName) {
  const auto a = Preset(1, "First", 160), b = Preset(2, "Second", 170);
  WriteBytes(dir.File("two.syx"), Joined({a, b}));
  Library({"import", dir.File("two.syx")});
  Library({"rename", "2", "Renamed"});

  ASSERT_EQ(Library({"export", "2", "1", "-o", dir.File("out.syx")}).exitCode, 0);
  const std::vector<uint8_t> out = ReadBytes(dir.File("out.syx"));
  ASSERT_EQ(out.size(), 2 * kPresetSize);
  EXPECT_TRUE(std::equal(b.begin() + 29, b.begin() + 613, out.begin() + 29));
  EXPECT_TRUE(std::equal(a.begin() + 29, a.begin() + 613, out.begin() + kPresetSize + 29));

  ASSERT_EQ(Library({"export", "2", "-o", dir.File("one.syx")}).exitCode, 0);
  const ProcessResult info = Cli({"export", "--json", dir.File("one.syx")});
  EXPECT_EQ(info.exitCode, 0) << info.err << " (a valid preset with a fresh checksum)";
  EXPECT_EQ(Json::parse(info.out).at("name"), "Renamed");

  const ProcessResult show = Library({"show", "2"});
  EXPECT_EQ(show.out, Cli({"export", "--text", dir.File("one.syx")}).out);
  EXPECT_EQ(Library({"export", "1", "7", "-o", dir.File("none.syx")}).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("none.syx")));
  EXPECT_EQ(Library({"export", "7", "-o", dir.File("out.syx")}).exitCode, 2);
  EXPECT_EQ(ReadBytes(dir.File("out.syx")), out) << "a failed export leaves the file there as it was";
  EXPECT_EQ(Library({"export", "1", "-o", dir.File("no/such/folder.syx")}).exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("no/such/folder.syx.part")));
}

TEST_F(CliLibrary, StatsCountWhatIsThere) {
  WriteTree();
  Library({"import", dir.File("tree")});
  Library({"tag", "1", "a", "b"});
  const ProcessResult r = Library({"stats"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("entries     4 (0 hidden, 0 favourites, 0 edited versions)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("names       6"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("tags        2"), std::string::npos) << r.out;
}

TEST_F(CliLibrary, TheEnvironmentChoosesTheFileWhenNoOptionDoes) {
  WriteBytes(dir.File("a.syx"), Preset(1, "Env"));
  setenv("LINDEL_LIBRARY", dir.File("env.db").c_str(), 1);
  const ProcessResult r = Cli({"library", "import", dir.File("a.syx")});
  unsetenv("LINDEL_LIBRARY");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(dir.File("env.db")));
}

}  // namespace
