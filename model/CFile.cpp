#include "CFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "AnsiText.h"
#include "Dialogs.h"

namespace {

// read()/write() until done; returns the number of bytes moved.
template <typename Fn>
int64_t TransferAll(Fn transfer, int64_t count) {
  int64_t done = 0;
  while (done < count) {
    const ssize_t n = transfer(done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

int64_t ReadAll(int fd, uint8_t* dst, int64_t count) {
  return TransferAll([&](int64_t at, int64_t left) { return ::read(fd, dst + at, left); }, count);
}

int64_t WriteAll(int fd, const uint8_t* src, int64_t count) {
  return TransferAll([&](int64_t at, int64_t left) { return ::write(fd, src + at, left); }, count);
}

bool FitsIn(std::size_t size, int iOffset, int64_t lCount) {
  return iOffset >= 0 && lCount >= 0 && static_cast<std::size_t>(iOffset) < size &&
         static_cast<uint64_t>(iOffset) + static_cast<uint64_t>(lCount) <= size;
}

}  // namespace

CFile::~CFile() { Close(); }

void CFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool CFile::Open(const std::string& sFile, int flags, unsigned mode) {
  if (sFile.empty()) return false;
  int fd = ::open(sFile.c_str(), flags | O_CLOEXEC, static_cast<mode_t>(mode));
  if (fd < 0 && errno == EACCES && !(flags & O_CREAT)) fd = ::open(sFile.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  Close();
  fd_ = fd;
  name_ = sFile;
  return true;
}

bool CFile::Create(const std::string& sFile) {
  if (Open(sFile, O_RDWR | O_CREAT | O_TRUNC)) return true;
  Dialogs().Message("File is already open", "Error", MessageIcon::Critical);
  return false;
}

bool CFile::CreateExclusive(const std::string& sFile, unsigned mode) {
  return Open(sFile, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW, mode);
}

bool CFile::OpenFile(const std::string& sFile) { return Open(sFile, O_RDWR); }

bool CFile::SeekTo(int64_t lPos) {
  if (lPos == 1) lPos = 0;
  return fd_ >= 0 && lPos >= 0 && ::lseek(fd_, lPos, SEEK_SET) == lPos;
}

bool CFile::Read(std::span<uint8_t> data, int iOffset, int64_t lPos, int64_t lCount) {
  if (!FitsIn(data.size(), iOffset, lCount) || !SeekTo(lPos)) return false;
  return ReadAll(fd_, data.data() + iOffset, lCount) == lCount;
}

bool CFile::Save(std::span<const uint8_t> data, int iOffset, int64_t lPos, int64_t lCount) {
  if (!FitsIn(data.size(), iOffset, lCount) || !SeekTo(lPos)) return false;
  return WriteAll(fd_, data.data() + iOffset, lCount) == lCount;
}

int64_t CFile::Size() const {
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return 0;
  return st.st_size;
}

bool CFile::WriteText(const std::string& str, bool bAppend) {
  if (fd_ < 0 || ::lseek(fd_, 0, bAppend ? SEEK_END : SEEK_SET) < 0) return false;
  const std::vector<uint8_t> bytes = ToAnsi(str);
  if (bytes.empty()) return true;
  return WriteAll(fd_, bytes.data(), static_cast<int64_t>(bytes.size())) > 0;
}

int64_t CFile::PartialRead(std::span<uint8_t> data) {
  if (fd_ < 0 || data.empty()) return 0;
  return ReadAll(fd_, data.data(), static_cast<int64_t>(data.size()));
}

int64_t CFile::PartialSave(std::span<const uint8_t> data) {
  if (fd_ < 0 || data.empty() || ::lseek(fd_, 0, SEEK_END) < 0) return 0;
  return WriteAll(fd_, data.data(), static_cast<int64_t>(data.size()));
}

// Devices and pipes cannot be synced (EINVAL); their writes already failed or not.
bool CFile::Sync() { return fd_ >= 0 && (::fsync(fd_) == 0 || errno == EINVAL); }
