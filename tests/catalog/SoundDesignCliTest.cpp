// lindel-cli randomize, mutate, morph and nudge as a black box.
#include <gtest/gtest.h>

#include <filesystem>

#include "CatalogPresets.h"
#include "CliTest.h"
#include "TempDir.h"

namespace {

bool Has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

std::vector<uint8_t> Bytes(const CPreset& preset) { return {preset.Image().begin(), preset.Image().end()}; }

class SoundDesignCli : public ::testing::Test {
 protected:
  SoundDesignCli() {
    WriteBytes(dir.File("a.syx"), Bytes(CatalogPreset(11)));
    WriteBytes(dir.File("b.syx"), Bytes(CatalogPreset(12)));
  }
  std::string A() const { return dir.File("a.syx"); }
  std::string B() const { return dir.File("b.syx"); }
  std::string Out() const { return dir.File("out.syx"); }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
  }
  TempDir dir;
};

TEST_F(SoundDesignCli, EachCommandRepeatsItsBytesAndSurvivesExportAndImport) {
  const std::vector<std::vector<std::string>> commands = {
      {"randomize", A(), "-o", Out(), "--seed", "42"},
      {"randomize", A(), "-o", Out(), "--seed", "42", "--keep-types", "--blocks", "filter,routing"},
      {"mutate", A(), "--amount", "20", "-o", Out(), "--seed", "9", "--blocks", "delay"},
      {"morph", A(), B(), "--at", "0.25", "-o", Out()},
      {"nudge", A(), "--toward", B(), "--amount", "30", "-o", Out()},
      {"nudge", A(), "--toward", B(), "--away", "--amount", "30", "-o", Out()},
  };
  for (const auto& args : commands) {
    const std::string what = args[0] + " " + args.back();
    const auto first = Cli(args);
    ASSERT_EQ(first.exitCode, 0) << what << ": " << first.err;
    const std::vector<uint8_t> made = ReadBytes(Out());
    ASSERT_EQ(made.size(), kPresetSize) << what;
    EXPECT_NE(made, ReadBytes(A())) << what;
    ASSERT_EQ(Cli(args).exitCode, 0) << what;
    EXPECT_EQ(ReadBytes(Out()), made) << what << ": not the same bytes again";

    const auto exported = Cli({"export", Out()});
    ASSERT_EQ(exported.exitCode, 0) << what;
    WriteBytes(dir.File("out.json"), std::vector<uint8_t>(exported.out.begin(), exported.out.end()));
    ASSERT_EQ(Cli({"import", dir.File("out.json"), "-o", dir.File("back.syx")}).exitCode, 0) << what;
    EXPECT_EQ(ReadBytes(dir.File("back.syx")), made) << what << " through export and import";
  }
}

TEST_F(SoundDesignCli, MorphEndsAreItsPresets) {
  ASSERT_EQ(Cli({"morph", A(), B(), "--at", "0", "-o", Out()}).exitCode, 0);
  EXPECT_EQ(ReadBytes(Out()), ReadBytes(A()));
  ASSERT_EQ(Cli({"morph", A(), B(), "--at", "1", "-o", Out()}).exitCode, 0);
  const auto diff = Cli({"diff", Out(), B()});
  EXPECT_TRUE(Has(diff.out, "Name") && !Has(diff.out, "Compressor")) << diff.out;  // only the name and number are A's
}

TEST_F(SoundDesignCli, ARandomizeWithoutSeedNamesTheSeedThatRepeatsIt) {
  const auto first = Cli({"randomize", A(), "-o", Out()});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  const std::size_t at = first.out.find("(seed ");
  ASSERT_NE(at, std::string::npos) << first.out;
  const std::string seed = first.out.substr(at + 6, first.out.find(')', at) - at - 6);
  const std::vector<uint8_t> made = ReadBytes(Out());
  ASSERT_EQ(Cli({"randomize", A(), "-o", dir.File("again.syx"), "--seed", seed}).exitCode, 0);
  EXPECT_EQ(ReadBytes(dir.File("again.syx")), made);
}

TEST_F(SoundDesignCli, BadInputIsRefusedAndWritesNothing) {
  std::vector<uint8_t> damaged = ReadBytes(A());
  damaged[Offset::Checksum] ^= 1;
  WriteBytes(dir.File("damaged.syx"), damaged);
  std::vector<uint8_t> dump = ReadBytes(A());
  dump.insert(dump.end(), dump.begin(), dump.end());
  WriteBytes(dir.File("dump.syx"), dump);
  const struct {
    std::vector<std::string> args;
    int exitCode;
    std::string message;
  } cases[] = {
      {{"randomize", A(), "-o", Out(), "--blocks", "filter,echo"}, 2, "unknown block 'echo'; use one of gate-eq,"},
      {{"randomize", A(), "-o", Out(), "--seed", "-1"}, 2, "--seed must be a whole number"},
      {{"randomize", A()}, 2, "missing option -o"},
      {{"mutate", A(), "--amount", "101", "-o", Out()}, 2, "--amount must be a whole number from 0 to 100"},
      {{"mutate", A(), "-o", Out()}, 2, "missing option --amount"},
      {{"morph", A(), B(), "--at", "1.5", "-o", Out()}, 2, "--at must be a number from 0 to 1, not '1.5'"},
      {{"morph", A(), "--at", "0.5", "-o", Out()}, 2, "needs two preset files A and B"},
      {{"nudge", A(), "--toward", dir.File("none.syx"), "--amount", "5", "-o", Out()}, 2, "cannot open"},
      {{"nudge", A(), "--toward", dir.File("dump.syx"), "--amount", "5", "-o", Out()}, 2, "is not a single preset file"},
      {{"mutate", dir.File("damaged.syx"), "--amount", "5", "-o", Out()}, 1, "bad checksum; nothing written"},
  };
  const std::size_t files = FileCount();
  for (const auto& c : cases) {
    const auto result = Cli(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
    EXPECT_TRUE(Has(result.err, c.message)) << result.err;
    EXPECT_EQ(FileCount(), files) << c.message;
  }
}

}  // namespace
