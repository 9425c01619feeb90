#include "LibraryImport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "CPreset.h"
#include "DumpSlots.h"
#include "LibraryError.h"
#include "PresetLibrary.h"
#include "SoundSummary.h"

namespace fs = std::filesystem;

namespace {

// Slots kept per transaction. Each commit writes again every index page it
// touched (the fingerprint index is touched all over), so fewer, larger
// batches write far less; an interrupted import still keeps whole batches.
constexpr int kBatch = 1024;

bool IsSyx(const fs::path& path) { return Lowercase(path.extension().string()) == ".syx"; }

// In one read: a dump of 10,000 presets is 6 MB.
std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
  if (size < 0) throw LibraryError("cannot read '" + path + "'");
  std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) throw LibraryError("cannot read '" + path + "'");
  return bytes;
}

// Why the slot is no preset the device would accept; "" when it is one.
std::string SlotProblem(std::span<const uint8_t> bytes, int slot) {
  const auto start = static_cast<std::size_t>(SlotPosition(slot));
  if (start + kPresetSize > bytes.size()) return "the file ends inside the preset";
  const std::span<const uint8_t, kPresetSize> image(bytes.data() + start, kPresetSize);
  if (!HasPresetHeader(image)) return "no G-Major preset header";
  if (!HasEndByte(image)) return "no end byte";
  if (!ChecksumMatches(image)) return "bad checksum";
  return "";
}

}  // namespace

std::string ImportCounts::Line() const {
  return std::to_string(added) + " added, " + std::to_string(already) + " already there, " +
         std::to_string(refused) + " refused";
}

std::vector<std::string> ImportFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
      std::vector<std::string> found;
      for (const auto& item : fs::recursive_directory_iterator(path, error)) {
        if (item.is_regular_file() && IsSyx(item.path())) found.push_back(item.path().string());
      }
      if (error) throw LibraryError("cannot read the folder '" + path + "': " + error.message());
      std::sort(found.begin(), found.end());
      files.insert(files.end(), found.begin(), found.end());
    } else if (fs::is_regular_file(path, error)) {
      files.push_back(path);
    } else {
      throw LibraryError("cannot import '" + path + "': no such file or folder");
    }
  }
  return files;
}

void ImportFile(PresetLibrary& library, const std::string& path, ImportCounts& counts,
                const std::function<void(const std::string&)>& refused) {
  const std::vector<uint8_t> bytes = ReadAll(path);
  const std::string where = fs::absolute(path).lexically_normal().string();
  const int slots = SlotCount(static_cast<int64_t>(bytes.size()));
  if (slots == 0) {
    ++counts.refused;
    refused("'" + path + "': holds no preset");
    return;
  }
  for (int first = 0; first < slots; first += kBatch) {
    SqliteTransaction batch = library.Batch();
    ImportCounts part;
    for (int slot = first; slot < std::min(slots, first + kBatch); ++slot) {
      if (const std::string problem = SlotProblem(bytes, slot); !problem.empty()) {
        ++part.refused;
        refused("'" + path + "' slot " + std::to_string(slot) + ": " + problem);
        continue;
      }
      PresetImage image;
      std::copy_n(bytes.begin() + SlotPosition(slot), kPresetSize, image.begin());
      const KeepResult kept = library.Keep(image, {"file", where, slot});
      ++(kept.added ? part.added : part.already);
    }
    batch.Commit();
    counts.added += part.added;
    counts.already += part.already;
    counts.refused += part.refused;
  }
}
