#include "BlockMenu.h"

#include "BlockTable.h"

std::optional<BlockMenuOffer> OfferBlockMenu(BlockMenuForm form, BlockNumber iBlock, Qt::MouseButton button,
                                             const BlockMenuContext& context) {
  if (button != Qt::RightButton || !context.presetLoaded) return std::nullopt;
  const bool hasSwitch = BlockOnOffField(iBlock) != kNoOffset;
  const int offset = BlockCopyOffset(iBlock);
  BlockMenuOffer offer;
  offer.onOffShown = form == BlockMenuForm::Toolbar;
  offer.blockOnEnabled = hasSwitch && !context.blockIsOn;
  offer.blockOffEnabled = hasSwitch && context.blockIsOn;
  // Copying a block without an area is still offered: CopyBlock reports it.
  offer.copyEnabled = true;
  offer.pasteEnabled = offset != kNoOffset && context.copiedOffset == offset;
  // The menu only opens with a preset on screen, so transmitting is always
  // possible where it is shown.
  offer.presetItemsShown = form == BlockMenuForm::Editor;
  return offer;
}

BlockMenu::BlockMenu(QWidget* parent) : QMenu(parent) {
  setObjectName("mnuRightMouseMenu");
  mnuRMMBlockOn = AddItem("Block On", "mnuRMMBlockOn");
  mnuRMMBlockOff = AddItem("BlockOff", "mnuRMMBlockOff");
  mnuRMMSep1 = AddSeparatorNamed("mnuRMMSep1");
  mnuRMMCopyBlock = AddItem("Copy Block", "mnuRMMCopyBlock");
  mnuRMMPasteBlock = AddItem("Paste Block", "mnuRMMPasteBlock");
  mnuRMMSep2 = AddSeparatorNamed("mnuRMMSep2");
  mnuRMMRequest = AddItem("Request Preset", "mnuRMMRequest");
  mnuRMMTransmit = AddItem("Transmit Preset", "mnuRMMTransmit");
  Apply(BlockMenuOffer{});

  connect(mnuRMMBlockOn, &QAction::triggered, this, [this] { Q_EMIT blockOnOffChosen(rightClickBlock_, true); });
  connect(mnuRMMBlockOff, &QAction::triggered, this, [this] { Q_EMIT blockOnOffChosen(rightClickBlock_, false); });
  connect(mnuRMMCopyBlock, &QAction::triggered, this, [this] { Q_EMIT copyBlockChosen(rightClickBlock_); });
  connect(mnuRMMPasteBlock, &QAction::triggered, this, &BlockMenu::pasteBlockChosen);
  connect(mnuRMMRequest, &QAction::triggered, this, &BlockMenu::requestPresetChosen);
  connect(mnuRMMTransmit, &QAction::triggered, this, &BlockMenu::transmitPresetChosen);
}

bool BlockMenu::Open(BlockMenuForm form, BlockNumber iBlock, Qt::MouseButton button,
                     const BlockMenuContext& context, QPoint globalPos) {
  const std::optional<BlockMenuOffer> offer = OfferBlockMenu(form, iBlock, button, context);
  if (!offer) return false;
  rightClickBlock_ = iBlock;
  Apply(*offer);
  popup(globalPos);
  return true;
}

QAction* BlockMenu::AddItem(const char* caption, const char* name) {
  QAction* item = addAction(tr(caption));
  item->setObjectName(name);
  return item;
}

QAction* BlockMenu::AddSeparatorNamed(const char* name) {
  QAction* separator = addSeparator();
  separator->setObjectName(name);
  return separator;
}

void BlockMenu::Apply(const BlockMenuOffer& offer) {
  mnuRMMBlockOn->setVisible(offer.onOffShown);
  mnuRMMBlockOff->setVisible(offer.onOffShown);
  mnuRMMSep1->setVisible(offer.onOffShown);
  mnuRMMBlockOn->setEnabled(offer.blockOnEnabled);
  mnuRMMBlockOff->setEnabled(offer.blockOffEnabled);
  mnuRMMCopyBlock->setEnabled(offer.copyEnabled);
  mnuRMMPasteBlock->setEnabled(offer.pasteEnabled);
  mnuRMMSep2->setVisible(offer.presetItemsShown);
  mnuRMMRequest->setVisible(offer.presetItemsShown);
  mnuRMMTransmit->setVisible(offer.presetItemsShown);
}
