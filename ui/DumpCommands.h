// The File menu's dump commands: open a dump file into the list pane, write
// the slot on screen back into it, receive a bulk dump from the G-Major into
// a new file, send the open dump to the device, and split it into one file
// per preset.
#pragma once

#include <string>

#include "frmMDIMain.h"

class DumpCommands {
 public:
  explicit DumpCommands(frmMDIMain& frame) : frame_(frame) {}

  void OpenSysExDump();
  void SaveSysExDump();
  void ReceiveSysEx();
  void SendSysEx();
  // Writes the files beside the dump and says how many were written.
  void SplitSysEx();
  // Opens the dump in the pane, says what kept it (or part of it) from the
  // screen, and lists a shown dump among the recent files; true when shown.
  bool OpenFile(const std::string& fileName);

 private:
  void SaveSlot();
  // False (and said) when the dump could not be sent whole.
  bool SendFile(const std::string& fileName);

  frmMDIMain& frame_;
};

// The message for a dump that could not be put on screen; "" when it was.
std::string DumpOpenProblem(DumpOpened opened, const std::string& fileName);
