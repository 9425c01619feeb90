// The recent files list: the preset and dump files the user loaded, opened
// or saved, most recent first, at most kLimit of them, kept in the settings
// store (section "RecentFiles", keys "File1" to "File8"). Paths are stored
// absolute so that one file reached by two relative names is listed once.
// Every call reads the store afresh: two frames (or two runs) share the list.
#pragma once

#include <string>
#include <vector>

class ISettings;

class RecentFiles {
 public:
  static constexpr int kLimit = 8;

  explicit RecentFiles(ISettings& settings) : settings_(settings) {}

  std::vector<std::string> Entries() const;
  // Puts path at the top, dropping its older entry and the oldest beyond the limit.
  void Add(const std::string& path);
  void Remove(const std::string& path);

 private:
  void Store(const std::vector<std::string>& entries);

  ISettings& settings_;
};
