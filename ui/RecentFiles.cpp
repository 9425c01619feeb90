#include "RecentFiles.h"

#include <algorithm>
#include <filesystem>

#include "ISettings.h"

namespace {

constexpr const char* kSection = "RecentFiles";

std::string Key(int position) { return "File" + std::to_string(position + 1); }

std::string Absolute(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

}  // namespace

// An emptied key ends the list; keys are never deleted, only blanked.
std::vector<std::string> RecentFiles::Entries() const {
  std::vector<std::string> entries;
  for (int i = 0; i < kLimit; ++i) {
    std::string path = settings_.Get(kSection, Key(i), "");
    if (path.empty()) break;
    entries.push_back(std::move(path));
  }
  return entries;
}

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  const std::string absolute = Absolute(path);
  std::vector<std::string> entries = Entries();
  std::erase(entries, absolute);
  entries.insert(entries.begin(), absolute);
  if (entries.size() > kLimit) entries.resize(kLimit);
  Store(entries);
}

void RecentFiles::Remove(const std::string& path) {
  std::vector<std::string> entries = Entries();
  if (std::erase(entries, path) + std::erase(entries, Absolute(path)) > 0) Store(entries);
}

void RecentFiles::Store(const std::vector<std::string>& entries) {
  for (int i = 0; i < kLimit; ++i) {
    settings_.Set(kSection, Key(i), static_cast<std::size_t>(i) < entries.size() ? entries[i] : "");
  }
}
