// Writes files so that a failure or a crash never leaves a damaged one: each
// file is written beside its final name, and renamed into place only after
// its bytes are on the disk. Staging many files before one Commit flushes
// them with one flush per file system instead of one per file, which is what
// keeps splitting a dump fast.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Quoted.h"

class StagedFiles {
 public:
  // Every failure is written to the error log with its reason; with
  // Messages it is also shown, once per Stage or Commit.
  enum class Report { Messages, LogOnly };

  explicit StagedFiles(Report report = Report::Messages) : report_(report) {}
  // Staged files that were never committed are removed.
  ~StagedFiles();
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;

  // Writes bytes at pos (1 means 0) into a new file beside path (beside the
  // file a symbolic link points to, which keeps the link). A target that
  // exists but may not be written, or a folder that cannot take the new
  // file, is refused with the message "File is already open"; bytes the disk
  // does not take with "Unable to write 'path': reason". The new file gets
  // the permission bits of the file it replaces. A device or pipe cannot be
  // renamed onto, so it is written straight away.
  bool Stage(const std::string& path, std::span<const uint8_t> bytes, int64_t pos);
  // Flushes the staged files, then renames them into place in staging order,
  // so a later file of the same name wins. Returns, for every successful
  // Stage in order, whether its file is now in place.
  std::vector<bool> Commit();

 private:
  struct Pending {
    std::string temp;  // "" when the target was written straight away
    std::string target;
  };
  bool StageBeside(const std::string& target, std::span<const uint8_t> bytes, int64_t pos);
  bool WriteDevice(const std::string& target, std::span<const uint8_t> bytes, int64_t pos);
  bool Flush() const;
  void RemoveTemps();
  // Logs "description: reason" and, with Messages, shows shown or that text.
  void Fail(const std::string& source, const std::string& description, const std::string& reason,
            const char* shown = nullptr) const;
  void Show(const std::string& text) const;

  Report report_;
  std::vector<Pending> pending_;
};
