#include "FileOpener.h"

#include <QMenu>
#include <filesystem>

#include "Dialogs.h"
#include "DumpCommands.h"
#include "DumpSlots.h"
#include "FileDropFilter.h"
#include "Guarded.h"
#include "MainMenu.h"
#include "PresetCommands.h"
#include "RecentFiles.h"
#include "RecentFilesMenu.h"
#include "dlgMidiSetup.h"
#include "frmMDIMain.h"

namespace {

// A file that cannot be measured goes the single-preset way, which names
// the problem as "Load from file" does.
bool HoldsOnePreset(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error || SlotCount(static_cast<int64_t>(size)) <= 1;
}

}  // namespace

bool FileOpener::Open(const std::string& path) {
  bool opened = false;
  Guarded("Open file", [&] {
    if (!CanOpen() || !frame_.ConfirmLoseChanges()) return;
    opened = HoldsOnePreset(path) ? PresetCommands(frame_).LoadFile(path) : DumpCommands(frame_).OpenFile(path);
  });
  return opened;
}

bool FileOpener::OpenFirst(const std::vector<std::string>& paths) {
  if (paths.empty()) return false;
  if (paths.size() > 1) {
    std::string ignored;
    for (std::size_t i = 1; i < paths.size(); ++i) ignored += "\n" + paths[i];
    ShowMessage("One file is opened at a time: " + paths.front() + "\nNot opened:" + ignored);
  }
  return Open(paths.front());
}

bool FileOpener::OpenArguments(const QStringList& arguments) {
  std::vector<std::string> paths;
  for (qsizetype i = 1; i < arguments.size(); ++i) paths.push_back(arguments[i].toStdString());
  return OpenFirst(paths);
}

bool FileOpener::OpenRecent(const std::string& path) {
  if (!std::filesystem::exists(path)) {
    RecentFiles(frame_.Settings()).Remove(path);
    ShowMessage(path + " no longer exists; it has been removed from the recent files list");
    return false;
  }
  return Open(path);
}

bool FileOpener::CanOpen() const { return !frame_.MidiSetup().Busy(); }

void InstallFileOpening(frmMDIMain& frame) {
  new FileDropFilter(frame);
  MainMenu& menu = frame.Menu();
  new RecentFilesMenu(*menu.mnuFile, *menu.mnuFileRecent, frame.Settings(),
                      [&frame](const std::string& path) { FileOpener(frame).OpenRecent(path); });
}
