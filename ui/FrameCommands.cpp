#include "FrameCommands.h"

#include <QAction>
#include <QMenu>

#include "BackupCommands.h"
#include "BlockClipboard.h"
#include "BlockMenu.h"
#include "BlockToolbar.h"
#include "BlockWindows.h"
#include "DumpCommands.h"
#include "EditingComforts.h"
#include "LibraryCommands.h"
#include "LibraryPane.h"
#include "MainMenu.h"
#include "OverviewLink.h"
#include "PresetCommands.h"
#include "SoundDesignCommands.h"
#include "ToolCommands.h"
#include "frmMDIMain.h"

namespace {

template <class Command>
void On(QAction* item, frmMDIMain& frame, Command command) {
  QObject::connect(item, &QAction::triggered, &frame, command);
}

}  // namespace

FrameCommands::FrameCommands(frmMDIMain& frame)
    : frame_(frame),
      clipboard_(std::make_unique<BlockClipboard>(frame)),
      dump_(std::make_unique<DumpCommands>(frame)),
      preset_(std::make_unique<PresetCommands>(frame)),
      tools_(std::make_unique<ToolCommands>(frame)),
      library_(std::make_unique<LibraryCommands>(frame)) {
  comforts_ = new EditingComforts(frame);
  new OverviewLink(frame);
  new SoundDesignCommands(frame);
  MainMenu& menu = frame.Menu();
  ConnectFileMenu(menu);
  ConnectEditMenu(menu);
  ConnectToolsMenu(menu);
  ConnectPresetMenu(menu);
  On(menu.mnuHelpAbout, frame_, [this] { tools_->About(); });
  // Tools provided elsewhere; their items wait for them.
  menu.mnuToolsMidiController->setEnabled(static_cast<bool>(frame.Tools().controller));
  menu.mnuHelpAbout->setEnabled(static_cast<bool>(frame.Tools().about));
  ConnectBlockMenu();
  ConnectToolbar();
}

FrameCommands::~FrameCommands() = default;

void FrameCommands::ConnectFileMenu(MainMenu& menu) {
  On(menu.mnuFileOpen, frame_, [this] { dump_->OpenSysExDump(); });
  On(menu.mnuFileSave, frame_, [this] { dump_->SaveSysExDump(); });
  On(menu.mnuFileReceiveSysEx, frame_, [this] { dump_->ReceiveSysEx(); });
  On(menu.mnuFileSendSysEx, frame_, [this] { dump_->SendSysEx(); });
  On(menu.mnuFileSplitSysEx, frame_, [this] { dump_->SplitSysEx(); });
  On(menu.mnuFileBackup, frame_, [this] { BackupCommands(frame_).BackupDevice(); });
  On(menu.mnuFileImportLibrary, frame_, [this] { library_->ImportIntoLibrary(); });
  On(menu.mnuPresetKeep, frame_, [this] { library_->KeepInLibrary(); });
  MainMenu::ConnectPane(*menu.mnuViewLibrary, library_->Pane());
  On(menu.mnuFileExit, frame_, [this] { frame_.close(); });
}

void FrameCommands::ConnectEditMenu(MainMenu& menu) {
  On(menu.mnuEditModifiers, frame_, [this] { tools_->EditModifiers(); });
  On(menu.mnuEditPresetName, frame_, [this] { frame_.FocusPresetName(); });
  On(menu.mnuEditCopyBlock, frame_, [this] { clipboard_->CopyBlock(frame_.CurrentBlock()); });
  On(menu.mnuEditPasteBlock, frame_, [this] { clipboard_->PasteBlock(); });
  for (int block = 1; block <= static_cast<int>(BlockNumber::TapTempo); ++block) {
    if (QAction* item = menu.BlockItem(static_cast<BlockNumber>(block))) {
      // The keyboard goes to the block opened, so that it works without the mouse.
      On(item, frame_, [this, block] {
        frame_.ShowBlock(block);
        if (BlockEditor* window = frame_.Blocks().ByBlock(static_cast<BlockNumber>(block))) {
          window->FocusFirstControl();
        }
      });
    }
  }
}

void FrameCommands::ConnectToolsMenu(MainMenu& menu) {
  On(menu.mnuToolsMidiController, frame_, [this] { tools_->MidiController(); });
  On(menu.mnuToolsMidiSetup, frame_, [this] { tools_->MidiSetup(); });
  On(menu.mnuToolsIPD, frame_, [this] { tools_->InternetDatabase(); });
  On(menu.mnuToolsBanks, frame_, [this] { tools_->Banks(); });
}

void FrameCommands::ConnectPresetMenu(MainMenu& menu) {
  On(menu.mnuPresetRequest, frame_, [this] { preset_->RequestPreset(); });
  On(menu.mnuPresetLoad, frame_, [this] { preset_->LoadFromFile(); });
  On(menu.mnuPresetTransmit, frame_, [this] { preset_->TransmitPreset(); });
  On(menu.mnuPresetSave, frame_, [this] { preset_->SaveAsFile(); });
  On(menu.mnuPresetNew, frame_, [this] { preset_->NewPreset(); });
}

void FrameCommands::ConnectBlockMenu() {
  BlockMenu* blockMenu = &frame_.RightButtonMenu();
  QObject::connect(blockMenu, &BlockMenu::blockOnOffChosen, &frame_, &frmMDIMain::SetBlockOnOff);
  QObject::connect(blockMenu, &BlockMenu::copyBlockChosen, &frame_,
                   [this](BlockNumber iBlock) { clipboard_->CopyBlock(static_cast<int>(iBlock)); });
  QObject::connect(blockMenu, &BlockMenu::pasteBlockChosen, &frame_, [this] { clipboard_->PasteBlock(); });
  QObject::connect(blockMenu, &BlockMenu::requestPresetChosen, &frame_, [this] { preset_->RequestPreset(); });
  QObject::connect(blockMenu, &BlockMenu::transmitPresetChosen, &frame_, [this] { preset_->TransmitPreset(); });
}

void FrameCommands::ConnectToolbar() {
  BlockToolbar* toolbar = &frame_.Toolbar();
  QObject::connect(toolbar, &BlockToolbar::blockClicked, &frame_, &frmMDIMain::OpenBlockFromToolbar);
  QObject::connect(toolbar, &BlockToolbar::blockMenuRequested, &frame_,
                   [this](BlockNumber iBlock, Qt::MouseButton button, QPoint globalPos) {
                     frame_.OpenBlockMenu(BlockMenuForm::Toolbar, iBlock, button, globalPos);
                   });
  QObject::connect(toolbar, &BlockToolbar::backgroundReleased, &frame_,
                   [this](Qt::MouseButton button, QPoint globalPos) {
                     frame_.OpenBlockMenu(BlockMenuForm::Editor, static_cast<BlockNumber>(frame_.CurrentBlock()),
                                          button, globalPos);
                   });
  QObject::connect(toolbar, &BlockToolbar::requestClicked, &frame_, [this] { preset_->RequestPreset(); });
  QObject::connect(toolbar, &BlockToolbar::sendClicked, &frame_, [this] {
    if (frame_.Menu().mnuPresetTransmit->isEnabled()) preset_->TransmitPreset();
  });
}
