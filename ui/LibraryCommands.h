// The editor's library commands: the Library pane and what it asks for
// (open an entry, put entries into dump slots), Preset > "Keep in Library",
// File > "Import into Library...", and the presets that arrive by other
// commands, kept through the LibraryKeeper.
#pragma once

#include <cstdint>
#include <string>
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
  // Asks for a folder, then imports it.
  void ImportIntoLibrary();
  // With progress and Cancel; whole batches are kept. Says the counts.
  ImportCounts ImportPaths(const std::vector<std::string>& paths);

  // Kept when automatic keeping is on: a single-preset file, every valid
  // slot of a dump file, a preset from elsewhere.
  void PresetFileArrived(const std::string& fileName, const char* kind = "file");
  void DumpFileArrived(const std::string& fileName, const char* kind = "file");
  void PresetArrived(const char* kind, const std::string& detail);

 private:
  frmMDIMain& frame_;
  LibraryKeeper* keeper_;
  LibraryPane* pane_;
};
