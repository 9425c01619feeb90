#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CLog.h"
#include "LindelError.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t pos; (pos = text.find("\r\n", start)) != std::string::npos; start = pos + 2) {
    lines.push_back(text.substr(start, pos - start));
  }
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t pos; (pos = line.find('\t', start)) != std::string::npos; start = pos + 1) {
    fields.push_back(line.substr(start, pos - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

class ErrorLog : public ::testing::Test {
 protected:
  ScriptedDialogs dialogs;  // logging must never show anything
  TempDir dir;
  std::string LogPath() const { return dir.File("lindelerr.Log"); }
};

TEST_F(ErrorLog, FirstRunWritesTheHeaderThenOneLinePerErrorAndReopeningKeepsThem) {
  CLog log(dir.Path());
  EXPECT_EQ(ReadText(LogPath()), "#\tDesc\tSource\tDate\r\n");
  log.LogError(LindelError(30007, "dlgMidiSetUp.OK", "Unable to open in port"));
  const auto lines = Lines(ReadText(LogPath()));
  ASSERT_EQ(lines.size(), 2u);
  const auto f = Fields(lines[1]);
  ASSERT_EQ(f.size(), 4u);
  EXPECT_EQ(f[0], "30007");
  EXPECT_EQ(f[1], "Unable to open in port");
  EXPECT_EQ(f[2], "dlgMidiSetUp.OK");
  EXPECT_FALSE(f[3].empty()) << "date and time";
  EXPECT_TRUE(dialogs.Shown().empty());

  // Reopened, the lines stay; an empty description leaves its field empty.
  CLog again(dir.Path());
  again.Log(9, "", "modifierUtils.GetModifierPrompt");
  const auto reopened = Lines(ReadText(LogPath()));
  ASSERT_EQ(reopened.size(), 3u) << "the header is written only once";
  EXPECT_EQ(reopened[2].rfind("9\t\tmodifierUtils.GetModifierPrompt\t", 0), 0u);
}

TEST_F(ErrorLog, UnwritableFolderIsSilent) {
  CLog missing(dir.Path() / "no-such-folder");
  missing.Log(1, "lost", "X");
  const auto ro = dir.Path() / "ro";
  std::filesystem::create_directory(ro);
  ::chmod(ro.c_str(), 0555);
  CLog readOnly(ro);
  readOnly.Log(1, "lost", "X");
  if (::geteuid() != 0) {
    EXPECT_FALSE(std::filesystem::exists(ro / "lindelerr.Log"));
  }
  EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(ErrorLog, ProgramWideLogIsReachedThroughOneAccessor) {
  LogError(LindelError(1, "nowhere", "no log installed yet"));  // harmless
  CLog log(dir.Path());
  CLog::SetProgram(&log);
  LogError(LindelError(30000, "CPreset.Save", "Not a valid preset"));
  LogLine(5, "described", "modifierUtils.GetModifierPrompt");
  CLog::SetProgram(nullptr);
  const auto lines = Lines(ReadText(LogPath()));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Fields(lines[1])[1], "Not a valid preset");
  EXPECT_EQ(Fields(lines[2])[0], "5");
}

}  // namespace
