// The editor's frame window. It owns the preset being edited, the open dump
// file, the copied block, the MIDI setup dialog and the ten block editor
// windows, which it hosts one at a time below the toolbar strip. This class
// keeps the screen and the preset in step (DisplayPreset, ScatterPreset,
// GatherPreset), the edited state, the caption, the toolbar and the services
// the editors call (IBlockHost). The name and number bar is PresetBar, the
// open dump DumpBrowser; the menu commands and their wiring are FrameCommands.
//
// Life: the constructor builds the window's controls and menus; Load() runs
// the start-up (MIDI setup, editors, empty screen) and shows the frame;
// closing asks about unsaved changes and releases everything.
#pragma once

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

#include "BlockMenu.h"
#include "BlockWindows.h"
#include "CEffectBlock.h"
#include "CPreset.h"
#include "CSysEx.h"
#include "DumpBrowser.h"
#include "FrameCommands.h"
#include "FrameTools.h"
#include "IBlockHost.h"

class BlockToolbar;
class CFileUI;
class DumpPane;
class ISettings;
class MainMenu;
class MidiSystem;
class PresetBar;
class QLabel;
class QScrollArea;
class dlgMidiSetup;
class frmOverview;

// What the frame works with; all of it outlives the frame.
struct FrameServices {
  ISettings& settings;
  MidiSystem& midi;
  CFileUI& files;
  FrameTools tools;
};

// What the screen shows.
enum class DisplayState { Empty = 0, SinglePreset = 1, DumpSlot = 2 };

class frmMDIMain final : public QMainWindow, public IBlockHost {
  Q_OBJECT

 public:
  explicit frmMDIMain(FrameServices services, QWidget* parent = nullptr);
  ~frmMDIMain() override;

  // Start-up: MIDI setup dialog, block windows and their Setup, the empty
  // screen; shows the frame (and the splash while loading, if wired).
  void Load();

  void DisplayPreset(bool bLoaded);
  void ScatterPreset(bool bLoaded);
  // Writes the screen into the current preset; false (nothing written)
  // without a name. bSetNumber takes the "Preset #" box as the user preset
  // to send to (0 the edit buffer).
  bool GatherPreset(bool bSetNumber);
  // True when there is nothing to lose or the user agreed to lose it.
  bool ConfirmLoseChanges();
  void SetCaption(const QString& sName);
  // Shows block iBlock's window and marks it; 0 hides all.
  void ShowBlock(int iBlock);
  void ReloadModifiers();
  // Switches an effect block on or off in the preset. What the editors show
  // is collected first and the preset stays marked edited, so no edit made
  // on screen is lost or taken for saved.
  void SetBlockOnOff(BlockNumber iBlock, bool bOn);

  // Dump operations: a dump open in the pane, its slot iIndex on screen.
  DumpOpened OpenDump(const std::string& sFileName) { return dumps_->Open(sFileName); }
  void CloseDump();
  void ShowSysExPane(bool bShow, int iIndex) { dumps_->Show(bShow, iIndex); }
  // A slot of the open dump goes on screen (display state 2).
  void ShowDumpSlot(std::shared_ptr<CPreset> preset);

  // Opens a block's window as its toolbar element does (only with a preset
  // loaded), or its right-button menu as offered for form.
  void OpenBlockFromToolbar(BlockNumber iBlock);
  void OpenBlockMenu(BlockMenuForm form, BlockNumber iBlock, Qt::MouseButton button, QPoint globalPos);

  // IBlockHost
  void SetFormDirty(bool bDirty) override;
  void BlockOnOffChanged() override;
  void SubTypeChanged(BlockEditor& frm) override;
  void DoRightMouseMenu(BlockNumber iBlock, Qt::MouseButton button, QPoint pos) override;
  void SizeForm(QWidget& frm) override;
  void ToggleButtons() override;
  void UpdateRoutingDisplay(int iRouting) override;
  void SetTapTempoSpeed(const QString& sSpeed) override;

  // What the commands work on.
  const std::shared_ptr<CPreset>& Preset() const { return preset_; }
  // Hides the dump pane and puts preset on screen as the single preset, in
  // the block window that was on show.
  void ShowSinglePreset(std::shared_ptr<CPreset> preset);
  CSysEx* Dump() const { return dumps_->Dump(); }
  // The dump slot on screen (display state 2), else -1.
  int DumpSlot() const { return displayState_ == DisplayState::DumpSlot ? dumps_->Slot() : -1; }
  DisplayState State() const { return displayState_; }
  bool IsDirty() const { return dirty_; }
  int CurrentBlock() const { return currentBlock_; }
  void FocusPresetName();
  // Names the dump pane entry of slot anew from the file.
  void RelabelSlot(int slot) { dumps_->Relabel(slot); }
  // Slots of the open dump that the file holds whole.
  int CompleteSlots() const { return dumps_->CompleteSlots(); }

  // Another state of the same preset on screen (undo, redo, compare): the
  // image goes into the current preset under the preset's own number; the
  // loaded name and number and the "Preset #" box stay; the edited mark
  // becomes bDirty. Reported as no edit.
  void ShowState(const PresetImage& image, bool bDirty);
  QString NameOnScreen() const;
  // Shown after the caption, "" for none.
  void SetCaptionNote(const QString& note);
  // The preset on screen was saved: the edited mark is cleared.
  void MarkSaved();
  // A command changed the preset on screen (a pasted block).
  void NoteEdit() { Q_EMIT commandEdited(); }
  // Called before a command reads the screen or the preset.
  void ClaimScreen() { Q_EMIT screenClaimed(); }
  EditingComforts& Comforts() const { return commands_->Comforts(); }

  MainMenu& Menu() const { return *menu_; }
  BlockClipboard& Clipboard() const { return commands_->Clipboard(); }
  dlgMidiSetup& MidiSetup() const { return *midiSetup_; }
  BlockWindows& Blocks() const { return *blocks_; }
  DumpPane& Pane() const { return *pane_; }
  LibraryCommands& Library() const { return commands_->Library(); }
  BlockToolbar& Toolbar() const { return *toolbar_; }
  BlockMenu& RightButtonMenu() const { return *blockMenu_; }
  frmOverview& Overview() const { return *overview_; }
  CFileUI& Files() const { return services_.files; }
  ISettings& Settings() const { return services_.settings; }
  MidiSystem& Midi() const { return services_.midi; }
  const FrameTools& Tools() const { return services_.tools; }

 Q_SIGNALS:
  // The user changed the preset on screen.
  void edited();
  // So did a command: a step of its own, never merged with the edits around it.
  void commandEdited();
  // Another preset, or none, was put on screen.
  void presetShown();
  // Another state of the same preset was (undo, redo, compare with saved).
  void stateShown();
  void saved();
  void screenClaimed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void LayOut();
  void EnablePresetControls(bool bLoaded);
  // Without a block window: the overview while a preset is on screen, else the hint.
  void ShowNoBlockView();
  void ShutDown();

  FrameServices services_;
  std::shared_ptr<CPreset> preset_;
  std::unique_ptr<DumpBrowser> dumps_;
  std::unique_ptr<dlgMidiSetup> midiSetup_;
  std::unique_ptr<BlockWindows> blocks_;
  std::unique_ptr<FrameCommands> commands_;
  QString captionName_;
  QString captionNote_;
  bool dirty_ = false;
  bool loading_ = false;
  DisplayState displayState_ = DisplayState::Empty;
  int currentBlock_ = 0;

  MainMenu* menu_ = nullptr;
  BlockToolbar* toolbar_ = nullptr;
  BlockMenu* blockMenu_ = nullptr;
  DumpPane* pane_ = nullptr;
  QScrollArea* editorArea_ = nullptr;
  QWidget* editorHost_ = nullptr;
  QLabel* lblNoBlock = nullptr;
  frmOverview* overview_ = nullptr;
  PresetBar* presetBar_ = nullptr;
};
