#include "LibraryPath.h"

#include <cstdlib>
#include <filesystem>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

std::string LibraryPath(const std::optional<std::string>& given) {
  if (given && !given->empty()) return *given;
  if (const std::string file = Environment("LINDEL_LIBRARY"); !file.empty()) return file;
  std::filesystem::path data = Environment("XDG_DATA_HOME");
  if (data.empty()) data = std::filesystem::path(Environment("HOME")) / ".local" / "share";
  return (data / "lindel" / "library.db").string();
}
