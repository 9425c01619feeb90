// The Edit menu's "&Modifiers...", the Tools menu and Help's "&About...":
// the commands that open other windows over the frame.
#pragma once

#include "frmMDIMain.h"

class ToolCommands {
 public:
  explicit ToolCommands(frmMDIMain& frame) : frame_(frame) {}

  // Only while the modifiers window is wired and the item enabled.
  void EditModifiers();
  void MidiSetup();
  void MidiController();
  // A downloaded preset replaces the one on screen, after the question
  // about unsaved changes.
  void InternetDatabase();
  // The Bank window, on the default library; one at a time, raised when open.
  void Banks();
  void About();

 private:
  frmMDIMain& frame_;
};
