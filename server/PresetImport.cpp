#include "PresetImport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "PresetStore.h"
#include "PresetUpload.h"

namespace {

// Far above the largest dump (200 presets); anything bigger is not ours.
constexpr std::uintmax_t kMaxFileSize = 16 * 1024 * 1024;

std::optional<std::string> ReadWholeFile(const std::string& path, std::string& problem) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) {
    problem = ec.message();
    return std::nullopt;
  }
  if (size > kMaxFileSize) {
    problem = "larger than " + std::to_string(kMaxFileSize) + " bytes";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    problem = "cannot be read";
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

ImportReport ImportPresetFiles(PresetStore& store, const std::vector<std::string>& files, const std::string& song,
                               const std::string& description) {
  ImportReport report;
  if (const std::string problem = TextProblem({"", "", song, description}); !problem.empty()) {
    report.notes.push_back(problem);
    report.refused = static_cast<int>(files.size());
    return report;
  }
  for (const std::string& file : files) {
    std::string problem;
    const auto bytes = ReadWholeFile(file, problem);
    if (!bytes) {
      report.notes.push_back(file + ": " + problem);
      ++report.refused;
      continue;
    }
    std::vector<NewPreset> presets;
    // A trailing partial slot counts, so that it is reported rather than lost.
    const std::size_t slots = std::max<std::size_t>((bytes->size() + kPresetSize - 1) / kPresetSize, 1);
    for (std::size_t slot = 0; slot < slots; ++slot) {
      const std::string image = bytes->substr(slot * kPresetSize, kPresetSize);
      const UploadCheck check = CheckUpload({image, "", song, description});
      if (check.preset) {
        presets.push_back(*check.preset);
      } else {
        report.notes.push_back(file + ": slot " + std::to_string(slot + 1) + ": " + check.problem);
        ++report.refused;
      }
    }
    for (const StoreOutcome& outcome : store.AddAll(presets)) {
      if (outcome.added) {
        ++report.added;
      } else {
        report.notes.push_back(file + ": already stored as id " + std::to_string(outcome.id));
        ++report.duplicates;
      }
    }
  }
  return report;
}
