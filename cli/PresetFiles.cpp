#include "PresetFiles.h"

#include <iostream>

#include "CFile.h"
#include "CommandLine.h"
#include "DumpSlots.h"

namespace {

void Open(CFile& file, const std::string& path) {
  if (!file.OpenFile(path)) throw UsageError("cannot open " + Quoted(path) + ": no such file or not a file");
}

}  // namespace

SlotRead ReadPresetSlot(const std::string& path, int slot) {
  CFile file;
  Open(file, path);
  const int count = SlotCount(file.Size());
  if (count == 0) throw UsageError(Quoted(path) + " holds no preset");
  if (slot >= count) {
    throw UsageError(Quoted(path) + " has no slot " + std::to_string(slot) + ": it holds slots 0 to " +
                     std::to_string(count - 1));
  }
  SlotRead read;
  if (read.preset.ReadFromFile(file, slot)) return read;
  const bool cutShort = SlotPosition(slot + 1) > file.Size();
  read.problem = Quoted(path) + " slot " + std::to_string(slot) + ": " +
                 (cutShort ? "the file ends inside the preset" : "bad checksum");
  return read;
}

void RequireSinglePreset(const std::string& path) {
  CFile file;
  Open(file, path);
  if (file.Size() != static_cast<int64_t>(kPresetSize)) {
    throw UsageError(Quoted(path) + " is not a single preset file: " + std::to_string(file.Size()) +
                     " bytes, a preset has 615");
  }
}

std::optional<CPreset> ReadSinglePreset(const std::string& command, const std::string& path) {
  RequireSinglePreset(path);
  SlotRead read = ReadPresetSlot(path, 0);
  if (read.problem.empty()) return std::move(read.preset);
  std::cerr << "lindel-cli " << command << ": " << read.problem << "; nothing written\n";
  return std::nullopt;
}
