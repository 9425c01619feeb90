#include "MainMenu.h"

#include <QAction>
#include <QDockWidget>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <stdexcept>

namespace {

struct BlockItemSpec {
  BlockNumber block;
  const char* name;
  const char* caption;
  const char* shortcut;
};

// The "&Effects Blocks" submenu in menu order; tap tempo has its own item.
constexpr BlockItemSpec kBlockItems[] = {
    {BlockNumber::NoiseGateEQ, "mnuEBNoiseGate", "NoiseGate", "F2"},
    {BlockNumber::LevelRelay, "mnuEBLevelRelay", "Levels/Relay", "F3"},
    {BlockNumber::Compressor, "mnuEBCompressor", "Compressor", "F4"},
    {BlockNumber::FilterMod, "mnuEBFilter", "Filter/Mod", "F5"},
    {BlockNumber::Pitch, "mnuEBPitch", "Pitch", "F6"},
    {BlockNumber::ChorusFlange, "mnuEBChorus", "Chorus/Flange", "F7"},
    {BlockNumber::Delay, "mnuEBDelay", "Delay", "F8"},
    {BlockNumber::Reverb, "mnuEBReverb", "Reverb", "F9"},
    {BlockNumber::Routing, "mnuEBRouting", "Routing", "F11"},
};

}  // namespace

MainMenu::MainMenu(QMenuBar& bar) : QObject(&bar) {
  BuildFileMenu(bar);
  BuildEditMenu(bar);
  BuildViewMenu(bar);
  BuildToolsMenu(bar);
  BuildPresetMenu(bar);
  BuildHelpMenu(bar);
}

void MainMenu::BuildFileMenu(QMenuBar& bar) {
  mnuFile = AddMenu(bar, "mnuFile", "&File");
  QMenu& file = *mnuFile;
  mnuFileOpen = AddItem(file, "mnuFileOpen", "&Open SysEx dump...", "Ctrl+O");
  mnuFileRecent = AddSubmenu(file, "mnuFileRecent", "Recent &Files");
  mnuFileSave = AddItem(file, "mnuFileSave", "&Save SysEx dump...", "Ctrl+S", false);
  AddSeparator(file, "mnuFileSep2");
  mnuFileReceiveSysEx = AddItem(file, "mnuFileReceiveSysEx", "&Receive SysEx...");
  mnuFileSendSysEx = AddItem(file, "mnuFileSendSysEx", "S&end SysEx...", {}, false);
  mnuFileSplitSysEx = AddItem(file, "mnuFileSplitSysEx", "S&plit SysEx", {}, false);
  mnuFileBackup = AddItem(file, "mnuFileBackup", "&Backup Device...");
  mnuFileImportLibrary = AddItem(file, "mnuFileImportLibrary", "&Import into Library...");
  AddSeparator(file, "mnuFileSep3");
  mnuFileExit = AddItem(file, "mnuFileExit", "E&xit", "Ctrl+X");
}

void MainMenu::BuildEditMenu(QMenuBar& bar) {
  QMenu& edit = *AddMenu(bar, "mnuEdit", "&Edit");
  mnuEditUndo = AddItem(edit, "mnuEditUndo", "&Undo", "Ctrl+Z", false);
  mnuEditRedo = AddItem(edit, "mnuEditRedo", "&Redo", "Ctrl+Y", false);
  mnuEditRedo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
  AddSeparator(edit, "mnuEditSep0");
  mnuEditModifiers = AddItem(edit, "mnuEditModifiers", "&Modifiers...", "Ctrl+M", false);
  mnuEBTapTempo = AddItem(edit, "mnuEBTapTempo", "&Tap Tempo", "Ctrl+D", false);
  blockItems_[BlockNumber::TapTempo] = mnuEBTapTempo;
  mnuEditPresetName = AddItem(edit, "mnuEditPresetName", "&Preset name", "Ctrl+P", false);
  mnuEditBlock = AddSubmenu(edit, "mnuEditBlock", "&Effects Blocks");
  mnuEditBlock->menuAction()->setEnabled(false);
  for (const BlockItemSpec& spec : kBlockItems) {
    QAction* item = AddItem(*mnuEditBlock, spec.name, spec.caption, spec.shortcut, false);
    item->setCheckable(true);
    blockItems_[spec.block] = item;
  }
  // The function keys all open blocks or About; the whole chain takes Ctrl+0.
  mnuEditOverview = AddItem(edit, "mnuEditOverview", "Overview", "Ctrl+0");
  AddSeparator(edit, "mnuEditSep2");
  mnuEditCopyBlock = AddItem(edit, "mnuEditCopyBlock", "Copy Block", {}, false);
  mnuEditPasteBlock = AddItem(edit, "mnuEditPasteBlock", "Paste Block", {}, false);
}

void MainMenu::BuildViewMenu(QMenuBar& bar) {
  QMenu& view = *AddMenu(bar, "mnuView", "&View");
  mnuViewLibrary = AddItem(view, "mnuViewLibrary", "&Library", "Ctrl+Shift+L");
  mnuViewLibrary->setCheckable(true);
}

void MainMenu::BuildToolsMenu(QMenuBar& bar) {
  QMenu& tools = *AddMenu(bar, "mnuTools", "&Tools");
  mnuToolsMidiController = AddItem(tools, "mnuToolsMidiController", "&MIDI Controller...");
  mnuToolsMidiSetup = AddItem(tools, "mnuToolsMidiSetup", "MIDI &Setup");
  mnuToolsBanks = AddItem(tools, "mnuToolsBanks", "&Banks...");
  AddSeparator(tools, "mnuToolsSep1");
  mnuToolsIPD = AddItem(tools, "mnuToolsIPD", "Internet Database...");
}

void MainMenu::BuildPresetMenu(QMenuBar& bar) {
  QMenu& preset = *AddMenu(bar, "mnuPreset", "&Preset");
  mnuPresetRequest = AddItem(preset, "mnuPresetRequest", "&Request Preset...", "Ctrl+R");
  mnuPresetLoad = AddItem(preset, "mnuPresetLoad", "&Load from file...", "Ctrl+L");
  AddSeparator(preset, "mnuPresetSeperator");
  mnuPresetTransmit = AddItem(preset, "mnuPresetTransmit", "&Transmit Preset...", "Ctrl+T", false);
  mnuPresetSave = AddItem(preset, "mnuPresetSave", "&Save as file...", "Ctrl+F", false);
  mnuPresetKeep = AddItem(preset, "mnuPresetKeep", "Keep in Library", "Ctrl+Shift+K", false);
  AddSeparator(preset, "mnuPresetSep4");
  mnuPresetNew = AddItem(preset, "mnuPresetNew", "New Preset", "Ctrl+N");
  AddSeparator(preset, "mnuPresetSep5");
  mnuPresetCompare = AddItem(preset, "mnuPresetCompare", "&Compare with Saved", "Ctrl+K", false);
  mnuPresetCompare->setCheckable(true);
  mnuPresetLiveAudition = AddItem(preset, "mnuPresetLiveAudition", "Live Audition");
  mnuPresetLiveAudition->setCheckable(true);
  AddSeparator(preset, "mnuPresetSep6");
  mnuPresetRandomize = AddItem(preset, "mnuPresetRandomize", "Randomi&ze...", {}, false);
  mnuPresetMutate = AddItem(preset, "mnuPresetMutate", "M&utate...", {}, false);
  mnuPresetMorph = AddItem(preset, "mnuPresetMorph", "M&orph...", {}, false);
  mnuPresetNudge = AddItem(preset, "mnuPresetNudge", "Nu&dge...", {}, false);
  // Ctrl+R is "&Request Preset...".
  mnuPresetAgain = AddItem(preset, "mnuPresetAgain", "&Again", "Ctrl+Shift+R", false);
}

void MainMenu::BuildHelpMenu(QMenuBar& bar) {
  QMenu& help = *AddMenu(bar, "mnuHelp", "&Help");
  mnuHelpAbout = AddItem(help, "mnuHelpAbout", "&About...", "F12");
}

QMenu* MainMenu::AddMenu(QMenuBar& bar, const char* name, const char* caption) {
  QMenu* menu = bar.addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  menus_[name] = menu;
  items_[name] = menu->menuAction();
  return menu;
}

QMenu* MainMenu::AddSubmenu(QMenu& parent, const char* name, const char* caption) {
  QMenu* submenu = parent.addMenu(caption);
  submenu->setObjectName(name);
  submenu->menuAction()->setObjectName(name);
  menus_[name] = submenu;
  items_[name] = submenu->menuAction();
  return submenu;
}

QAction* MainMenu::AddItem(QMenu& menu, const char* name, const char* caption, const QString& shortcut,
                           bool enabled) {
  QAction* item = menu.addAction(caption);
  item->setObjectName(name);
  if (!shortcut.isEmpty()) item->setShortcut(QKeySequence(shortcut));
  item->setEnabled(enabled);
  items_[name] = item;
  return item;
}

void MainMenu::AddSeparator(QMenu& menu, const char* name) {
  QAction* separator = menu.addSeparator();
  separator->setObjectName(name);
  items_[name] = separator;
}

QAction& MainMenu::Item(const std::string& name) const {
  const auto it = items_.find(name);
  if (it == items_.end()) throw std::logic_error("no menu item " + name);
  return *it->second;
}

QMenu& MainMenu::Menu(const std::string& name) const {
  const auto it = menus_.find(name);
  if (it == menus_.end()) throw std::logic_error("no menu " + name);
  return *it->second;
}

void MainMenu::EnablePresetItems(bool enable, bool modifiersAvailable) {
  for (QAction* item : {mnuPresetSave, mnuPresetTransmit, mnuEBTapTempo, mnuEditPresetName, mnuEditCopyBlock,
                        mnuPresetRandomize, mnuPresetMutate, mnuPresetMorph, mnuPresetNudge, mnuPresetKeep}) {
    item->setEnabled(enable);
  }
  // The block items too, so that their keys open nothing without a preset.
  mnuEditBlock->menuAction()->setEnabled(enable);
  for (const BlockItemSpec& spec : kBlockItems) blockItems_.at(spec.block)->setEnabled(enable);
  mnuEditModifiers->setEnabled(enable && modifiersAvailable);
}

void MainMenu::EnableDumpItems(bool enable) {
  for (QAction* item : {mnuFileSave, mnuFileSendSysEx, mnuFileSplitSysEx}) item->setEnabled(enable);
}

void MainMenu::CheckBlockItem(BlockNumber iBlock) {
  for (const BlockItemSpec& spec : kBlockItems) blockItems_.at(spec.block)->setChecked(spec.block == iBlock);
}

// Only the user's choice of the item shows or hides the pane; the tick
// follows the pane however it was closed.
void MainMenu::ConnectPane(QAction& item, QDockWidget& pane) {
  connect(&item, &QAction::triggered, &pane, &QWidget::setVisible);
  connect(&pane, &QDockWidget::visibilityChanged, &item, &QAction::setChecked);
}

QAction* MainMenu::BlockItem(BlockNumber iBlock) const {
  const auto it = blockItems_.find(iBlock);
  return it == blockItems_.end() ? nullptr : it->second;
}
