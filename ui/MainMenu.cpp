#include "MainMenu.h"

#include <QAction>
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

constexpr const char* kPresetItems[] = {"mnuPresetSave",      "mnuPresetTransmit", "mnuEBTapTempo",
                                        "mnuEditPresetName",  "mnuEditCopyBlock",  "mnuPresetRandomize",
                                        "mnuPresetMutate",    "mnuPresetMorph",    "mnuPresetNudge"};
constexpr const char* kDumpItems[] = {"mnuFileSave", "mnuFileSendSysEx", "mnuFileSplitSysEx"};

}  // namespace

MainMenu::MainMenu(QMenuBar& bar) : QObject(&bar) {
  BuildFileMenu(bar);
  BuildEditMenu(bar);
  BuildToolsMenu(bar);
  BuildPresetMenu(bar);
  BuildHelpMenu(bar);
}

void MainMenu::BuildFileMenu(QMenuBar& bar) {
  QMenu& file = AddMenu(bar, "mnuFile", "&File");
  AddItem(file, "mnuFileOpen", "&Open SysEx dump...", "Ctrl+O");
  AddSubmenu(file, "mnuFileRecent", "Recent &Files");
  AddItem(file, "mnuFileSave", "&Save SysEx dump...", "Ctrl+S", false);
  AddSeparator(file, "mnuFileSep2");
  AddItem(file, "mnuFileReceiveSysEx", "&Receive SysEx...");
  AddItem(file, "mnuFileSendSysEx", "S&end SysEx...", {}, false);
  AddItem(file, "mnuFileSplitSysEx", "S&plit SysEx", {}, false);
  AddItem(file, "mnuFileBackup", "&Backup Device...");
  AddSeparator(file, "mnuFileSep3");
  AddItem(file, "mnuFileExit", "E&xit", "Ctrl+X");
}

void MainMenu::BuildEditMenu(QMenuBar& bar) {
  QMenu& edit = AddMenu(bar, "mnuEdit", "&Edit");
  AddItem(edit, "mnuEditUndo", "&Undo", "Ctrl+Z", false);
  AddItem(edit, "mnuEditRedo", "&Redo", "Ctrl+Y", false).setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
  AddSeparator(edit, "mnuEditSep0");
  AddItem(edit, "mnuEditModifiers", "&Modifiers...", "Ctrl+M", false);
  AddItem(edit, "mnuEBTapTempo", "&Tap Tempo", "Ctrl+D", false);
  AddItem(edit, "mnuEditPresetName", "&Preset name", "Ctrl+P", false);
  QMenu& blocks = AddSubmenu(edit, "mnuEditBlock", "&Effects Blocks");
  blocks.menuAction()->setEnabled(false);
  for (const BlockItemSpec& spec : kBlockItems) AddItem(blocks, spec.name, spec.caption, spec.shortcut, false).setCheckable(true);
  AddSeparator(edit, "mnuEditSep2");
  AddItem(edit, "mnuEditCopyBlock", "Copy Block", {}, false);
  AddItem(edit, "mnuEditPasteBlock", "Paste Block", {}, false);
}

void MainMenu::BuildToolsMenu(QMenuBar& bar) {
  QMenu& tools = AddMenu(bar, "mnuTools", "&Tools");
  AddItem(tools, "mnuToolsMidiController", "&MIDI Controller...");
  AddItem(tools, "mnuToolsMidiSetup", "MIDI &Setup");
  AddItem(tools, "mnuToolsBanks", "&Banks...");
  AddSeparator(tools, "mnuToolsSep1");
  AddItem(tools, "mnuToolsIPD", "Internet Database...");
}

void MainMenu::BuildPresetMenu(QMenuBar& bar) {
  QMenu& preset = AddMenu(bar, "mnuPreset", "&Preset");
  AddItem(preset, "mnuPresetRequest", "&Request Preset...", "Ctrl+R");
  AddItem(preset, "mnuPresetLoad", "&Load from file...", "Ctrl+L");
  AddSeparator(preset, "mnuPresetSeperator");
  AddItem(preset, "mnuPresetTransmit", "&Transmit Preset...", "Ctrl+T", false);
  AddItem(preset, "mnuPresetSave", "&Save as file...", "Ctrl+F", false);
  AddSeparator(preset, "mnuPresetSep4");
  AddItem(preset, "mnuPresetNew", "New Preset", "Ctrl+N");
  AddSeparator(preset, "mnuPresetSep5");
  AddItem(preset, "mnuPresetCompare", "&Compare with Saved", "Ctrl+K", false).setCheckable(true);
  AddItem(preset, "mnuPresetLiveAudition", "Live Audition").setCheckable(true);
  AddSeparator(preset, "mnuPresetSep6");
  AddItem(preset, "mnuPresetRandomize", "Randomi&ze...", {}, false);
  AddItem(preset, "mnuPresetMutate", "M&utate...", {}, false);
  AddItem(preset, "mnuPresetMorph", "M&orph...", {}, false);
  AddItem(preset, "mnuPresetNudge", "Nu&dge...", {}, false);
  // Ctrl+R is "&Request Preset...".
  AddItem(preset, "mnuPresetAgain", "&Again", "Ctrl+Shift+R", false);
}

void MainMenu::BuildHelpMenu(QMenuBar& bar) {
  QMenu& help = AddMenu(bar, "mnuHelp", "&Help");
  AddItem(help, "mnuHelpAbout", "&About...", "F12");
}

QMenu& MainMenu::AddMenu(QMenuBar& bar, const char* name, const char* caption) {
  QMenu* menu = bar.addMenu(caption);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  menus_[name] = menu;
  items_[name] = menu->menuAction();
  return *menu;
}

QMenu& MainMenu::AddSubmenu(QMenu& parent, const char* name, const char* caption) {
  QMenu* submenu = parent.addMenu(caption);
  submenu->setObjectName(name);
  submenu->menuAction()->setObjectName(name);
  menus_[name] = submenu;
  items_[name] = submenu->menuAction();
  return *submenu;
}

QAction& MainMenu::AddItem(QMenu& menu, const char* name, const char* caption, const QString& shortcut,
                           bool enabled) {
  QAction* item = menu.addAction(caption);
  item->setObjectName(name);
  if (!shortcut.isEmpty()) item->setShortcut(QKeySequence(shortcut));
  item->setEnabled(enabled);
  items_[name] = item;
  return *item;
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
  for (const char* name : kPresetItems) Item(name).setEnabled(enable);
  // The block items too, so that their keys open nothing without a preset.
  Item("mnuEditBlock").setEnabled(enable);
  for (const BlockItemSpec& spec : kBlockItems) Item(spec.name).setEnabled(enable);
  Item("mnuEditModifiers").setEnabled(enable && modifiersAvailable);
}

void MainMenu::EnableDumpItems(bool enable) {
  for (const char* name : kDumpItems) Item(name).setEnabled(enable);
}

void MainMenu::CheckBlockItem(BlockNumber iBlock) {
  for (const BlockItemSpec& spec : kBlockItems) Item(spec.name).setChecked(spec.block == iBlock);
}

QAction* MainMenu::BlockItem(BlockNumber iBlock) const {
  if (iBlock == BlockNumber::TapTempo) return &Item("mnuEBTapTempo");
  for (const BlockItemSpec& spec : kBlockItems) {
    if (spec.block == iBlock) return &Item(spec.name);
  }
  return nullptr;
}
