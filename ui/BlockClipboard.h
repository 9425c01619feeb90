// The block copy and paste commands and the copied block they share. A copy
// takes one block's bytes from the current preset (after collecting what the
// editors show); a paste puts them back at the offset they came from, in
// whichever preset is current, and redraws every editor.
#pragma once

#include <optional>

#include "CEffectBlock.h"

class frmMDIMain;

class BlockClipboard {
 public:
  explicit BlockClipboard(frmMDIMain& frame) : frame_(frame) {}

  // Both log their failures ("CopyBlock", "PasteBlock") and show nothing
  // beyond the name question of GatherPreset.
  bool CopyBlock(int iBlock);
  bool PasteBlock();
  // Edit menu "Paste Block": enabled while the copied block's window is on show.
  void UpdatePasteMenu();
  // A block was copied from iBlock's area.
  bool CopiedFrom(int iBlock) const;
  // The offset the copied block came from; -1 when nothing is copied.
  int CopiedOffset() const { return copied_ ? copied_->Block() : -1; }
  bool HasCopy() const { return copied_.has_value(); }
  void Release() { copied_.reset(); }

 private:
  frmMDIMain& frame_;
  std::optional<CEffectBlock> copied_;
};
