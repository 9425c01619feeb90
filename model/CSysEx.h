// A dump file: 615-byte preset images one after another, found by position
// only. Lists its slots by number and name without decoding them, hands out
// one slot at a time as a CPreset, writes an edited slot back, and splits the
// file into one .syx file per preset.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CFile.h"
#include "CPreset.h"

class StagedFiles;

// What happened to one slot when a dump was split.
struct SplitSlot {
  enum class Outcome {
    Written,
    BadChecksum,   // refused by CPreset::Save as not valid
    Incomplete,    // the file ends inside the slot
    WriteFailed,   // the file could not be created or written
  };
  int slot = 0;
  std::filesystem::path file;  // named after the slot's stored number
  Outcome outcome = Outcome::Written;
};

struct SplitResult {
  std::vector<SplitSlot> slots;  // in slot order
  bool finished = true;          // false when an error stopped the loop (it is logged)
  // Why nothing was written, when a slot's file would have been the dump
  // itself; "" otherwise.
  std::string refused;

  int Written() const;
  bool AllWritten() const { return refused.empty() && finished && Written() == static_cast<int>(slots.size()); }
};

class CSysEx {
 public:
  // refused is told of every refusal of a slot's read and of a split's save,
  // as it happens; by default nobody is.
  explicit CSysEx(RefusalHandler refused = {}) : refused_(std::move(refused)) {}

  // The slot iIndex as a preset; the same object for repeated requests of
  // the current slot, so edits to it stay until another slot is loaded. Null
  // for an index outside 0 to Count() - 1. A slot that fails its checksum
  // is refused and comes back as read, not valid.
  std::shared_ptr<CPreset> Preset(int iIndex);
  // Makes preset the current one and writes it, with a fresh checksum, into
  // the current slot. The dump is written anew beside itself with the slot
  // replaced and renamed into place, so a write that fails (full disk,
  // read-only file or folder, a crash) leaves the old dump whole; a dump
  // reached through a symbolic link keeps the link, hard links are not
  // kept. A failure is logged, not shown: the preset is left not valid and
  // the caller tells the user.
  void UpdatePreset(const std::shared_ptr<CPreset>& preset);
  // Opens an existing dump and loads slot 0. False, with FileName() "",
  // when it cannot be opened; nothing is shown or logged.
  bool OpenFile(const std::string& sFileName);
  const std::string& FileName() const { return fileName_; }
  // The file size divided by 615, rounded: a trailing partial slot of more
  // than 307 bytes counts (and fails to read).
  int Count() const;
  // The dump list's label, read straight from the file, so a damaged slot
  // still gets one; "" when the number or name cannot be read.
  std::string PresetName(int iIndex);
  // Writes every slot to folder/preset_<number - 100>.syx (the current
  // directory by default), replacing files of that name; a later slot with
  // the same number wins. Slots that are not valid or not complete are
  // skipped and the loop goes on. An error that stops it is logged; the
  // slots before it are still written. The files take their names together,
  // after one flush to the disk. A split that would replace the dump itself
  // (a dump named preset_7.syx holding U7) writes nothing and says why.
  SplitResult SplitFile(const std::filesystem::path& folder = {});

 private:
  void LoadSlot(int i);
  bool ReplaceSlot(int slot, std::span<const uint8_t, kPresetSize> image);
  SplitSlot StageSlot(int i, const std::filesystem::path& folder, StagedFiles& files);
  std::string ReplacesItself(const std::filesystem::path& folder);
  void Tell(const CPreset& preset) const;

  std::unique_ptr<CFile> file_ = std::make_unique<CFile>();
  std::shared_ptr<CPreset> preset_;
  int index_ = -1;
  std::string fileName_;
  RefusalHandler refused_;
};

// "preset_7.syx" for stored number 107; factory numbers give 0 and below.
std::string SplitFileName(int storedNumber);
