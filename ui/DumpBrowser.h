// The open dump file and the slot of it on screen, next to the dump pane
// that lists its slots: opening and closing the dump, showing a slot, and
// what choosing another entry in the pane does.
#pragma once

#include <memory>
#include <string>

#include "CSysEx.h"

class DumpPane;
class frmMDIMain;

// The outcome of opening a dump file. Truncated: open, but the file ends
// inside its last slot, which cannot be shown.
enum class DumpOpened { Yes, Truncated, Unreadable, NoPresets };

class DumpBrowser {
 public:
  DumpBrowser(frmMDIMain& frame, DumpPane& pane);

  // The new dump replaces the open one only once it opened with a whole
  // preset in it; its first slot goes on screen.
  DumpOpened Open(const std::string& fileName);
  // Hides the pane and drops the open dump, if any.
  void Close();
  // Drops the dump without touching the screen (shut-down).
  void Release() { dump_.reset(); }
  // Shows or hides the pane; shown, the dump's slot iIndex goes on screen.
  void Show(bool bShow, int iIndex);
  // Names the pane entry of slot anew from the file.
  void Relabel(int slot);
  // Slots of the open dump that the file holds whole.
  int CompleteSlots() const;

  CSysEx* Dump() const { return dump_.get(); }
  // The slot last put on screen.
  int Slot() const { return slot_; }

 private:
  void EntryChosen(int row);

  frmMDIMain& frame_;
  DumpPane& pane_;
  std::unique_ptr<CSysEx> dump_;
  int slot_ = -1;
  // The pane's own selection changes while a slot is being shown are no choice.
  bool showing_ = false;
};
