#include "BlockClipboard.h"

#include <QAction>

#include "BlockTable.h"
#include "CommandSteps.h"
#include "Guarded.h"
#include "MainMenu.h"
#include "frmMDIMain.h"

bool BlockClipboard::CopyBlock(int iBlock) {
  return Guarded("CopyBlock", [&] {
    if (!frame_.GatherPreset(true)) throw LindelError(ErrorNumber::Generic2, "CopyBlock", "unable to save changes");
    copied_.reset();
    const int offset = BlockCopyOffset(static_cast<BlockNumber>(iBlock));
    if (offset == kNoOffset) throw LindelError(CommandError::NotACopyableBlock, "CopyBlock", "not a valid block to copy");
    copied_ = frame_.Preset()->Copy(offset);
    UpdatePasteMenu();
  });
}

// The gathered and pasted preset and the screen agree afterwards, so the
// edited mark is clear.
bool BlockClipboard::PasteBlock() {
  return Guarded("PasteBlock", [&] {
    if (!frame_.GatherPreset(true)) throw LindelError(ErrorNumber::Generic1, "PasteBlock", "Unable to save changes");
    if (copied_ && frame_.Preset()->Paste(*copied_)) {
      frame_.SetFormDirty(false);
      frame_.ScatterPreset(true);
      frame_.NoteEdit();
    }
  });
}

void BlockClipboard::UpdatePasteMenu() {
  frame_.Menu().mnuEditPasteBlock->setEnabled(CopiedFrom(frame_.CurrentBlock()));
}

bool BlockClipboard::CopiedFrom(int iBlock) const {
  const int offset = BlockCopyOffset(static_cast<BlockNumber>(iBlock));
  return copied_ && offset != kNoOffset && copied_->Block() == offset;
}
