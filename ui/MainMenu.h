// The frame's menu bar: every item by its control name (mnuFileOpen, ...),
// with its caption, shortcut and start state, and the groups of items that
// change together (those that need a preset, those that need a dump). The
// items' commands are connected by FrameCommands; this class only holds them.
#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <string>

#include "PresetLayout.h"

class QAction;
class QDockWidget;
class QMenu;
class QMenuBar;

class MainMenu final : public QObject {
  Q_OBJECT

 public:
  // Builds the tree into bar; the actions belong to bar's window.
  explicit MainMenu(QMenuBar& bar);

  // For tests: the item or menu of that control name; throws
  // std::logic_error for a name not in the tree.
  QAction& Item(const std::string& name) const;
  QMenu& Menu(const std::string& name) const;

  // "&Save as file...", "&Transmit Preset...", "&Tap Tempo", "&Effects
  // Blocks", "&Preset name", "Copy Block", and "&Modifiers..." when
  // modifiersAvailable.
  void EnablePresetItems(bool enable, bool modifiersAvailable);
  // "&Save SysEx dump...", "S&end SysEx...", "S&plit SysEx".
  void EnableDumpItems(bool enable);
  // Ticks the "&Effects Blocks" item of iBlock and clears the others (all
  // of them for a block that has none).
  void CheckBlockItem(BlockNumber iBlock);
  // The "&Effects Blocks" item (or "&Tap Tempo") that opens iBlock; null for
  // blocks without one.
  QAction* BlockItem(BlockNumber iBlock) const;
  // The checkable item shows and hides pane.
  static void ConnectPane(QAction& item, QDockWidget& pane);

  // The menus and items, by their control names.
  QMenu* mnuFile = nullptr;
  QAction* mnuFileOpen = nullptr;
  QMenu* mnuFileRecent = nullptr;
  QAction* mnuFileSave = nullptr;
  QAction* mnuFileReceiveSysEx = nullptr;
  QAction* mnuFileSendSysEx = nullptr;
  QAction* mnuFileSplitSysEx = nullptr;
  QAction* mnuFileBackup = nullptr;
  QAction* mnuFileImportLibrary = nullptr;
  QAction* mnuFileExit = nullptr;

  QAction* mnuEditUndo = nullptr;
  QAction* mnuEditRedo = nullptr;
  QAction* mnuEditModifiers = nullptr;
  QAction* mnuEBTapTempo = nullptr;
  QAction* mnuEditPresetName = nullptr;
  QMenu* mnuEditBlock = nullptr;
  QAction* mnuEditOverview = nullptr;
  QAction* mnuEditCopyBlock = nullptr;
  QAction* mnuEditPasteBlock = nullptr;

  QAction* mnuViewLibrary = nullptr;

  QAction* mnuToolsMidiController = nullptr;
  QAction* mnuToolsMidiSetup = nullptr;
  QAction* mnuToolsBanks = nullptr;
  QAction* mnuToolsIPD = nullptr;

  QAction* mnuPresetRequest = nullptr;
  QAction* mnuPresetLoad = nullptr;
  QAction* mnuPresetTransmit = nullptr;
  QAction* mnuPresetSave = nullptr;
  QAction* mnuPresetKeep = nullptr;
  QAction* mnuPresetNew = nullptr;
  QAction* mnuPresetCompare = nullptr;
  QAction* mnuPresetLiveAudition = nullptr;
  QAction* mnuPresetRandomize = nullptr;
  QAction* mnuPresetMutate = nullptr;
  QAction* mnuPresetMorph = nullptr;
  QAction* mnuPresetNudge = nullptr;
  QAction* mnuPresetAgain = nullptr;

  QAction* mnuHelpAbout = nullptr;

 private:
  QMenu* AddMenu(QMenuBar& bar, const char* name, const char* caption);
  QMenu* AddSubmenu(QMenu& parent, const char* name, const char* caption);
  QAction* AddItem(QMenu& menu, const char* name, const char* caption, const QString& shortcut = {},
                   bool enabled = true);
  void AddSeparator(QMenu& menu, const char* name);
  void BuildFileMenu(QMenuBar& bar);
  void BuildEditMenu(QMenuBar& bar);
  void BuildViewMenu(QMenuBar& bar);
  void BuildToolsMenu(QMenuBar& bar);
  void BuildPresetMenu(QMenuBar& bar);
  void BuildHelpMenu(QMenuBar& bar);

  std::map<std::string, QAction*> items_;
  std::map<std::string, QMenu*> menus_;
  std::map<BlockNumber, QAction*> blockItems_;
};
