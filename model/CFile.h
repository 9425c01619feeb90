// The program's only way to touch files: one open file, read and written as
// byte arrays at absolute positions. Position 1 means position 0, so callers
// counting from 1 and from 0 both address the first byte.
#pragma once

#include <cstdint>
#include <span>
#include <string>

class CFile {
 public:
  CFile() = default;
  ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Creates the file or empties an existing one. On failure shows the
  // critical message "File is already open" titled "Error".
  bool Create(const std::string& sFile);
  // Creates a file that must not exist yet, never through a symbolic link,
  // with the permission bits mode (less the umask); no message on failure.
  // Temporary files are made this way, so a planted name cannot redirect them.
  bool CreateExclusive(const std::string& sFile, unsigned mode = 0666);
  // Opens an existing file for reading and writing (read-only when the file
  // does not allow writing); no message on failure. Folders are refused.
  bool OpenFile(const std::string& sFile);
  // Reads exactly lCount bytes at lPos into data from element iOffset on.
  bool Read(std::span<uint8_t> data, int iOffset, int64_t lPos, int64_t lCount);
  // Writes exactly lCount bytes from data(iOffset) at lPos.
  bool Save(std::span<const uint8_t> data, int iOffset, int64_t lPos, int64_t lCount);
  int64_t Size() const;
  const std::string& Name() const { return name_; }
  // Writes the text as ANSI bytes at the end (bAppend) or at the start; a
  // write at the start does not truncate.
  bool WriteText(const std::string& str, bool bAppend = false);
  // Reads up to data.size() bytes at the current position; 0 on failure.
  int64_t PartialRead(std::span<uint8_t> data);
  // Appends data at the end of the file; 0 on failure.
  int64_t PartialSave(std::span<const uint8_t> data);
  // Flushes written bytes to the disk; false when the device refuses them.
  bool Sync();
  bool IsOpen() const { return fd_ >= 0; }
  void Close();

 private:
  bool Open(const std::string& sFile, int flags, unsigned mode = 0644);
  bool SeekTo(int64_t lPos);

  int fd_ = -1;
  std::string name_;
};
