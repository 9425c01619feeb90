// Saving presets and dump slots when the file system says no: a full disk
// (/dev/full, or a file size limit that stops writes part-way), a file that
// may not be written even by root, a missing or read-only folder, and the
// error log deleted while the program runs. Every failure is reported, the
// program goes on, and no file that was good before is damaged.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "CLog.h"
#include "CSysEx.h"
#include "PresetBuilder.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

// A disk that fills up after limit bytes of any file: writes past it fail
// with EFBIG, as they would with ENOSPC on a full disk.
class FullDisk {
 public:
  explicit FullDisk(rlim_t limit) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved_;
    lowered.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FullDisk() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = nullptr;
};

// A file or folder nobody may change. Permission bits do not stop root, so
// as root the immutable attribute is set instead.
class ReadOnly {
 public:
  explicit ReadOnly(const std::string& path) : path_(path) { applied_ = Set(true); }
  ~ReadOnly() {
    if (applied_) Set(false);
  }
  bool Applied() const { return applied_; }

 private:
  bool Set(bool on) {
    if (::geteuid() != 0) return ::chmod(path_.c_str(), on ? 0555 : 0755) == 0;
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) ::close(fd);
    return ok;
  }

  std::string path_;
  bool applied_ = false;
};

class FileFault : public ::testing::Test {
 protected:
  FileFault() : log(dir.Path()) { CLog::SetProgram(&log); }
  ~FileFault() override { CLog::SetProgram(nullptr); }

  std::string LogText() const { return ReadText(log.Path().string()); }
  // Everything in the folder but the log: no temporary file may stay.
  std::vector<std::string> Files(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().filename() != kLogFileName) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ScriptedDialogs dialogs;
  TempDir dir;
  CLog log;
  const std::vector<uint8_t> original = PresetBuilder().Name("Good old").Number(105).Scramble(1).Bytes();
  CPreset edited = PresetBuilder().Name("Edited").Number(105).Scramble(2).Build();
};

TEST_F(FileFault, PresetSaveOntoAFullDeviceSaysWhy) {
  EXPECT_FALSE(edited.Save("/dev/full", 0));
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Unable to write '/dev/full': No space left on device"});
  EXPECT_NE(LogText().find("Unable to write '/dev/full': No space left on device\tStagedFiles.Stage"),
            std::string::npos);
  EXPECT_TRUE(edited.IsValid()) << "the record can still be saved elsewhere";
}

TEST_F(FileFault, PresetSaveOntoAFullDiskKeepsTheOldFileWhole) {
  const std::string path = dir.File("p.syx");
  WriteBytes(path, original);
  {
    const FullDisk full(300);
    EXPECT_FALSE(edited.Save(path, 0));
  }
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(Files(dir.Path()), std::vector<std::string>{"p.syx"}) << "no half-written temporary file";
  ASSERT_EQ(dialogs.Texts().size(), 1u);
  EXPECT_EQ(dialogs.Texts()[0], "Unable to write '" + path + "': File too large");
  EXPECT_NE(LogText().find("Unable to write '" + path + "'"), std::string::npos);
  EXPECT_TRUE(edited.Save(path, 0)) << "the program goes on: with room again the save works";
}

TEST_F(FileFault, PresetSaveOntoAReadOnlyFileOrIntoAMissingFolderIsRefused) {
  const std::string path = dir.File("p.syx");
  WriteBytes(path, original);
  {
    const ReadOnly locked(path);
    ASSERT_TRUE(locked.Applied());
    EXPECT_FALSE(edited.Save(path, 0));
  }
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_FALSE(edited.Save(dir.File("missing/p.syx"), 0));
  EXPECT_EQ(dialogs.Texts(), (std::vector<std::string>{"File is already open", "File is already open"}));
  EXPECT_NE(LogText().find("Unable to replace '" + path + "'"), std::string::npos);
  EXPECT_NE(LogText().find("Unable to create a file beside '" + dir.File("missing/p.syx") + "': No such file"),
            std::string::npos);
  EXPECT_EQ(Files(dir.Path()), std::vector<std::string>{"p.syx"});
}

TEST_F(FileFault, ReplacedFileKeepsItsPermissionsAndItsSymbolicLink) {
  const std::string real = dir.File("real.syx");
  WriteBytes(real, original);
  ::chmod(real.c_str(), 0600);
  fs::create_symlink(real, dir.File("link.syx"));
  ASSERT_TRUE(edited.Save(dir.File("link.syx"), 0));
  EXPECT_TRUE(fs::is_symlink(dir.File("link.syx")));
  EXPECT_EQ(ReadBytes(real), std::vector<uint8_t>(edited.Image().begin(), edited.Image().end()));
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(FileFault, TemporaryFilesAreNeverOpenedThroughAPlantedName) {
  const std::string victim = dir.File("victim");
  WriteBytes(victim, {1, 2, 3});
  fs::create_symlink(victim, dir.File("planted"));
  CFile file;
  EXPECT_FALSE(file.CreateExclusive(dir.File("planted")));
  EXPECT_FALSE(file.CreateExclusive(victim));
  EXPECT_EQ(ReadBytes(victim), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_TRUE(dialogs.Shown().empty());
}

class DumpSlotFault : public FileFault {
 protected:
  DumpSlotFault() { WriteBytes(path, dumpBytes); }

  // Slot 1 edited and written back; true when the write took.
  bool UpdateSlotOne(CSysEx& dump) {
    const auto preset = dump.Preset(1);
    preset->SetPresetName("Edited slot");
    dump.UpdatePreset(preset);
    return preset->IsValid();
  }
  // After a failed write the dump is still open and its other slots load.
  void ExpectDumpStillUsable(CSysEx& dump) {
    ASSERT_NE(dump.Preset(2), nullptr);
    EXPECT_TRUE(dump.Preset(2)->IsValid());
    EXPECT_EQ(dump.PresetName(0), "1 - Preset 101" + std::string(10, ' '));
  }

  const std::string path = dir.File("dump.syx");
  const std::vector<uint8_t> dumpBytes = DumpBytes(3);
};

TEST_F(DumpSlotFault, FullDiskLeavesTheDumpWholeAndIsLogged) {
  CSysEx dump;
  ASSERT_TRUE(dump.OpenFile(path));
  dump.Preset(1);
  fs::resize_file(log.Path(), 0);  // room for the log line on the full disk
  {
    const FullDisk full(1000);
    EXPECT_FALSE(UpdateSlotOne(dump));
  }
  EXPECT_EQ(ReadBytes(path), dumpBytes);
  EXPECT_EQ(Files(dir.Path()), std::vector<std::string>{"dump.syx"});
  EXPECT_NE(LogText().find("Unable to write '" + path + "': File too large"), std::string::npos);
  EXPECT_TRUE(dialogs.Shown().empty()) << "the caller tells the user";
  ExpectDumpStillUsable(dump);
  EXPECT_TRUE(UpdateSlotOne(dump));
}

TEST_F(DumpSlotFault, ReadOnlyDumpOrFolderIsNotChanged) {
  for (const std::string& locked : {path, dir.Path().string()}) {
    SCOPED_TRACE(locked);
    CSysEx dump;
    ASSERT_TRUE(dump.OpenFile(path));
    {
      const ReadOnly readOnly(locked);
      ASSERT_TRUE(readOnly.Applied());
      EXPECT_FALSE(UpdateSlotOne(dump));
    }
    EXPECT_EQ(ReadBytes(path), dumpBytes);
    ExpectDumpStillUsable(dump);
  }
  EXPECT_TRUE(dialogs.Shown().empty());
}

TEST_F(FileFault, LogDeletedMidRunStopsLoggingAndNothingElse) {
  LogLine(30000, "before", "test");
  fs::remove(log.Path());
  LogLine(30000, "after", "test");
  EXPECT_FALSE(fs::exists(log.Path())) << "not created again until the next start";
  EXPECT_FALSE(edited.Save("/dev/full", 0)) << "failures are still reported";
  EXPECT_EQ(dialogs.Texts().size(), 1u);
  const CLog restarted(dir.Path());
  LogLine(30000, "next run", "test");
  EXPECT_NE(LogText().find("#\tDesc\tSource\tDate\r\n30000\tnext run\ttest\t"), std::string::npos);
}

}  // namespace
