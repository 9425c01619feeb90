// The editor's library commands: the Library pane and what it asks for
// (open an entry, put entries into dump slots), Preset > "Keep in Library",
// File > "Import into Library...", and the presets that arrive by other
// commands, kept through the LibraryKeeper, with what the device holds
// after a backup, a received dump or a dump send.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class frmMDIMain;
class LibraryKeeper;
class LibraryPane;
struct ImportCounts;

class LibraryCommands {
 public:
  explicit LibraryCommands(frmMDIMain& frame);

  LibraryKeeper& Keeper() const { return *keeper_; }
  LibraryPane& Pane() const { return *pane_; }

  // The entry's latest image as the single preset, after the unsaved-changes question.
  bool OpenEntry(int64_t id);
  // The entries' images into the open dump from slot on, each slot keeping
  // its number; the first of them is then shown.
  bool PutIntoDump(int slot, const std::vector<int64_t>& ids);
  void KeepInLibrary();
  // The entries, in the order given, into a file the save dialog asks for.
  void ExportToFile(const std::vector<int64_t>& ids);
  // The lineage window of the entry; a version chosen there is opened.
  void ShowHistory(int64_t id);
  // Asks for a folder, then imports it.
  void ImportIntoLibrary();
  // With progress and Cancel; whole batches are kept. Says the counts.
  ImportCounts ImportPaths(const std::vector<std::string>& paths);

  // Kept when automatic keeping is on: a single-preset file, every valid
  // slot of a dump file, a preset from elsewhere.
  void PresetFileArrived(const std::string& fileName, const char* kind = "file");
  void DumpFileArrived(const std::string& fileName);
  void PresetArrived(const char* kind, const std::string& detail);
  // A dump file read from the device (a backup, a received dump): kept, and
  // its user presets recorded as what the device holds.
  void DeviceDumpArrived(const std::string& fileName);
  // The dump file was sent to the device: held names the preset numbers it
  // is known to hold now (nothing: every one sent; an empty list after a
  // failed send).
  void DumpSent(const std::string& fileName, const std::optional<std::vector<int>>& held);

 private:
  // The port the presets go out on, which tells devices apart; "" without MIDI.
  std::string DeviceName() const;

  frmMDIMain& frame_;
  LibraryKeeper* keeper_;
  LibraryPane* pane_;
};
