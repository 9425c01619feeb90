#include "StagedFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#include "CFile.h"
#include "CLog.h"
#include "Dialogs.h"
#include "LindelError.h"

namespace {

namespace fs = std::filesystem;

bool IsRegularOrMissing(const std::string& path) {
  std::error_code ec;
  const auto type = fs::status(path, ec).type();
  return type == fs::file_type::not_found || type == fs::file_type::regular;
}

constexpr const char* kRefused = "File is already open";

// Why the last system call failed, in words.
std::string Reason(int error) { return error ? std::strerror(error) : "the data was not written"; }

// The file a symbolic link points to; any other path as it is.
std::string ResolvedTarget(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  const fs::path resolved = fs::weakly_canonical(path, ec);
  return ec ? path : resolved.string();
}

// The permission bits of an existing target; the default for a new file.
unsigned ModeFor(const std::string& target) {
  struct stat st {};
  return ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0666;
}

// A name beside target that no other staged file of this process uses.
std::string TempNameFor(const std::string& target) {
  static std::atomic<unsigned> counter = 0;
  return target + ".lindel-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

bool FlushFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  const bool ok = fd >= 0 && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  return ok;
}

// One syncfs per file system holding a staged file's folder.
bool FlushFolders(const std::set<fs::path>& folders) {
  bool ok = true;
  std::set<dev_t> flushed;
  for (const fs::path& folder : folders) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0) {
      ok = false;
    } else if (flushed.insert(st.st_dev).second && ::syncfs(fd) != 0) {
      ok = false;
    }
    if (fd >= 0) ::close(fd);
  }
  return ok;
}

}  // namespace

StagedFiles::~StagedFiles() { RemoveTemps(); }

void StagedFiles::RemoveTemps() {
  std::error_code ec;
  for (const Pending& p : pending_) {
    if (!p.temp.empty()) fs::remove(p.temp, ec);
  }
  pending_.clear();
}

bool StagedFiles::Stage(const std::string& path, std::span<const uint8_t> bytes, int64_t pos) {
  const std::string target = ResolvedTarget(path);
  if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) {
    Fail("StagedFiles.Stage", "Unable to replace " + Quoted(target), Reason(errno), kRefused);
    return false;
  }
  return IsRegularOrMissing(target) ? StageBeside(target, bytes, pos) : WriteDevice(target, bytes, pos);
}

bool StagedFiles::StageBeside(const std::string& target, std::span<const uint8_t> bytes, int64_t pos) {
  const Pending staged{TempNameFor(target), target};
  CFile file;
  if (!file.CreateExclusive(staged.temp, ModeFor(target))) {
    Fail("StagedFiles.Stage", "Unable to create a file beside " + Quoted(target), Reason(errno), kRefused);
    return false;
  }
  std::error_code ec;
  // The umask must not narrow the bits of a file being replaced.
  if (::access(target.c_str(), F_OK) == 0) fs::permissions(staged.temp, fs::perms(ModeFor(target)), ec);
  errno = 0;
  if (!file.Save(bytes, 0, pos, static_cast<int64_t>(bytes.size()))) {
    const std::string reason = Reason(errno);
    fs::remove(staged.temp, ec);
    Fail("StagedFiles.Stage", "Unable to write " + Quoted(target), reason);
    return false;
  }
  pending_.push_back(staged);
  return true;
}

bool StagedFiles::WriteDevice(const std::string& target, std::span<const uint8_t> bytes, int64_t pos) {
  CFile device;
  if (!device.Create(target)) return false;  // the file layer has said so
  errno = 0;
  if (!device.Save(bytes, 0, pos, static_cast<int64_t>(bytes.size())) || !device.Sync()) {
    const std::string reason = Reason(errno);
    Fail("StagedFiles.Stage", "Unable to write " + Quoted(target), reason);
    return false;
  }
  pending_.push_back({"", target});
  return true;
}

void StagedFiles::Fail(const std::string& source, const std::string& description, const std::string& reason,
                       const char* shown) const {
  const std::string text = description + ": " + reason;
  LogError(LindelError(ErrorNumber::Preset, source, text));
  Show(shown ? shown : text);
}

void StagedFiles::Show(const std::string& text) const {
  if (report_ == Report::Messages) Dialogs().Message(text, "Error", MessageIcon::Critical);
}

bool StagedFiles::Flush() const {
  std::vector<std::string> temps;
  std::set<fs::path> folders;
  for (const Pending& p : pending_) {
    if (p.temp.empty()) continue;
    temps.push_back(p.temp);
    folders.insert(fs::path(p.target).parent_path());
  }
  // A lone file is flushed by itself, so saving one preset never waits for
  // unrelated data of the same file system.
  return temps.size() == 1 ? FlushFile(temps.front()) : FlushFolders(folders);
}

std::vector<bool> StagedFiles::Commit() {
  errno = 0;
  const bool flushed = Flush();
  std::vector<std::pair<std::string, std::string>> failures;  // target, reason
  std::vector<bool> done;
  for (Pending& p : pending_) {
    std::error_code ec;
    if (!p.temp.empty() && flushed) fs::rename(p.temp, p.target, ec);
    const bool inPlace = p.temp.empty() || (flushed && !ec);
    if (inPlace) p.temp.clear();
    done.push_back(inPlace);
    if (!inPlace) failures.push_back({p.target, flushed ? ec.message() : Reason(errno)});
  }
  RemoveTemps();
  // Every file gets its log line; the commit shows one message.
  for (const auto& [target, reason] : failures) {
    LogError(LindelError(ErrorNumber::Preset, "StagedFiles.Commit", "Unable to write " + Quoted(target) + ": " + reason));
  }
  if (!failures.empty()) Show("Unable to write " + Quoted(failures.front().first) + ": " + failures.front().second);
  return done;
}
