// The block right-button menu, "mnuRightMouseMenu". Opened over the toolbar
// it offers "Block On"/"BlockOff", "Copy Block" and "Paste Block"; opened
// over an editor window it offers copy, paste, "Request Preset" and
// "Transmit Preset". Which items can be chosen is decided by OfferBlockMenu,
// a pure function of the click and the frame's state; the menu only shows the
// offer and reports the chosen command for the block it was opened for.
#pragma once

#include <QMenu>
#include <optional>

#include "PresetLayout.h"

enum class BlockMenuForm { Toolbar, Editor };

// What the frame knows when a block is right-clicked.
struct BlockMenuContext {
  bool presetLoaded = false;  // a preset is on screen ("&Effects Blocks" is enabled)
  bool blockIsOn = false;     // the block editor's IsOn; read only for blocks with a switch
  int copiedOffset = -1;      // CEffectBlock::Block() of the copied block; -1 when none
};

struct BlockMenuOffer {
  bool onOffShown = false;  // "Block On", "BlockOff" and the separator after them
  bool blockOnEnabled = false;
  bool blockOffEnabled = false;
  bool copyEnabled = false;
  bool pasteEnabled = false;      // only for the block the copy came from
  bool presetItemsShown = false;  // "Request Preset", "Transmit Preset" and the separator before them

  bool operator==(const BlockMenuOffer&) const = default;
};

// Nothing when the menu stays shut: any button but the right one, or no
// preset on screen.
std::optional<BlockMenuOffer> OfferBlockMenu(BlockMenuForm form, BlockNumber iBlock, Qt::MouseButton button,
                                             const BlockMenuContext& context);

class BlockMenu : public QMenu {
  Q_OBJECT

 public:
  explicit BlockMenu(QWidget* parent = nullptr);

  // Pops the menu up at globalPos, without waiting, when OfferBlockMenu
  // offers anything; returns whether it did.
  bool Open(BlockMenuForm form, BlockNumber iBlock, Qt::MouseButton button, const BlockMenuContext& context,
            QPoint globalPos);
  // The block the menu was last opened for; the chosen command acts on it.
  BlockNumber RightClickBlock() const { return rightClickBlock_; }

 Q_SIGNALS:
  void blockOnOffChosen(BlockNumber iBlock, bool bOn);
  void copyBlockChosen(BlockNumber iBlock);
  void pasteBlockChosen();
  void requestPresetChosen();
  void transmitPresetChosen();

 private:
  QAction* AddItem(const char* caption, const char* name);
  QAction* AddSeparatorNamed(const char* name);
  void Apply(const BlockMenuOffer& offer);

  QAction* mnuRMMBlockOn;
  QAction* mnuRMMBlockOff;
  QAction* mnuRMMSep1;
  QAction* mnuRMMCopyBlock;
  QAction* mnuRMMPasteBlock;
  QAction* mnuRMMSep2;
  QAction* mnuRMMRequest;
  QAction* mnuRMMTransmit;
  BlockNumber rightClickBlock_{};
};
