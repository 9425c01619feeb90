#include "LibraryExport.h"

#include <filesystem>
#include <fstream>

#include "CPreset.h"
#include "LibraryError.h"
#include "PresetLibrary.h"

namespace {

void WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string part = path + ".part";
  {
    std::ofstream file(part, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      std::filesystem::remove(part);
      throw LibraryError("cannot write '" + path + "'");
    }
  }
  std::error_code error;
  std::filesystem::rename(part, path, error);
  if (error) {
    std::filesystem::remove(part);
    throw LibraryError("cannot write '" + path + "': " + error.message());
  }
}

}  // namespace

PresetImage ExportImage(const LibraryEntry& entry) {
  CPreset preset;
  preset.LoadFromByteArray(entry.image);
  preset.SetPresetName(entry.row.name);
  preset.UpdateChecksum();
  return preset.Image();
}

void ExportEntries(const PresetLibrary& library, const std::vector<int64_t>& ids, const std::string& path) {
  std::vector<uint8_t> bytes;
  for (const int64_t id : ids) {
    const std::optional<LibraryEntry> entry = library.Entry(id);
    if (!entry) throw LibraryError("no library entry " + std::to_string(id));
    const PresetImage image = ExportImage(*entry);
    bytes.insert(bytes.end(), image.begin(), image.end());
  }
  WriteWhole(path, bytes);
}
