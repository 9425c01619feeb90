// Opens a .syx file named from outside the menus: on the program's command
// line, dropped on the frame, or chosen from the recent files list. A file
// of one preset slot goes the way of "Load from file", a file of several the
// way of "Open SysEx dump", with the same messages for files that hold no
// preset; the unsaved-changes question comes first.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

class frmMDIMain;

class FileOpener {
 public:
  explicit FileOpener(frmMDIMain& frame) : frame_(frame) {}

  // False when nothing was opened: refused, cancelled, or a bad file (shown).
  bool Open(const std::string& path);
  // The first of paths; the others are named in a message and left alone.
  bool OpenFirst(const std::vector<std::string>& paths);
  // The program's arguments, its own name first.
  bool OpenArguments(const QStringList& arguments);
  // A file that no longer exists leaves the list with a message; nothing is asked.
  bool OpenRecent(const std::string& path);
  // Not while a transfer runs: it owns the screen until it ends.
  bool CanOpen() const;

 private:
  frmMDIMain& frame_;
};

// Wires drops on the frame and its "Recent &Files" submenu to a FileOpener.
void InstallFileOpening(frmMDIMain& frame);
