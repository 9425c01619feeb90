#include "StagedFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <set>

#include "CFile.h"
#include "Dialogs.h"

namespace {

namespace fs = std::filesystem;

bool IsRegularOrMissing(const std::string& path) {
  std::error_code ec;
  const auto type = fs::status(path, ec).type();
  return type == fs::file_type::not_found || type == fs::file_type::regular;
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
  if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
    Dialogs().Message("File is already open", "Error", MessageIcon::Critical);
    return false;
  }
  if (!IsRegularOrMissing(path)) {
    CFile device;
    if (!device.Create(path) || !device.Save(bytes, 0, pos, static_cast<int64_t>(bytes.size())) || !device.Sync()) {
      return false;
    }
    pending_.push_back({"", path});
    return true;
  }
  Pending staged{TempNameFor(path), path};
  pending_.push_back(staged);
  CFile file;
  if (file.Create(staged.temp) && file.Save(bytes, 0, pos, static_cast<int64_t>(bytes.size()))) return true;
  std::error_code ec;
  fs::remove(staged.temp, ec);
  pending_.pop_back();
  return false;
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
  const bool flushed = Flush();
  std::vector<bool> done;
  for (Pending& p : pending_) {
    std::error_code ec;
    if (!p.temp.empty() && flushed) fs::rename(p.temp, p.target, ec);
    const bool inPlace = p.temp.empty() || (flushed && !ec);
    if (inPlace) p.temp.clear();
    done.push_back(inPlace);
  }
  RemoveTemps();
  return done;
}
