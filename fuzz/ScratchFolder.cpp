#include "ScratchFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace {

fs::path MakeFolder() {
  std::error_code ec;
  const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::string pattern = (base / "lindel-fuzz-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  return pattern;
}

struct Folder {
  fs::path path = MakeFolder();
  ~Folder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

Folder& TheFolder() {
  static Folder folder;
  return folder;
}

}  // namespace

const fs::path& ScratchFolder() { return TheFolder().path; }

const fs::path& FreshScratchFolder() {
  const fs::path& folder = ScratchFolder();
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) fs::remove_all(entry.path(), ec);
  return folder;
}
