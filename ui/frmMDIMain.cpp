#include "frmMDIMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QVBoxLayout>
#include <filesystem>

#include "BackupCommands.h"
#include "BlockClipboard.h"
#include "BlockTable.h"
#include "BlockToolbar.h"
#include "CommandSteps.h"
#include "Dialogs.h"
#include "DumpCommands.h"
#include "DumpPane.h"
#include "EditingComforts.h"
#include "FileOpener.h"
#include "Guarded.h"
#include "KeyFilters.h"
#include "MainMenu.h"
#include "PresetCommands.h"
#include "SoundDesignCommands.h"
#include "ToolCommands.h"
#include "dlgMidiSetup.h"

namespace {

constexpr int kNameLength = Offset::NameLength;
constexpr int kBlankRouting = 3;
constexpr const char* kLoseChanges =
    "If you continue you will lose changes to your current preset!\n"
    "You can save the preset as a file or transmit it to you G-Major";

// The blocks with an on/off lamp, in the order the lamps are redrawn.
constexpr const char* kLampWindows[] = {"frmCompressor", "frmNoiseGateEQ", "frmFilterMod", "frmPitch",
                                        "frmChorusFlange", "frmDelay", "frmReverb"};

// The user bank shows 1 to 100 like the factory bank.
int NumberWithinBank(int number) { return number > PresetNumber::UserBase ? number - PresetNumber::UserBase : number; }

// The box shows the name without the padding the image stores (blanks, or
// zero bytes in a new preset), so that the user can type at its end;
// GatherPreset pads it again.
QString NameForBox(const std::string& name) {
  QString text = QString::fromStdString(name);
  while (text.endsWith(' ') || text.endsWith(QChar(0))) text.chop(1);
  return text;
}

// The slots a dump file holds whole (a cut-off last one does not count).
int WholeSlots(const std::string& fileName) {
  std::error_code error;
  const auto size = std::filesystem::file_size(fileName, error);
  return error ? 0 : static_cast<int>(size / kPresetSize);
}

}  // namespace

frmMDIMain::frmMDIMain(FrameServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
  setObjectName("frmMDIMain");
  SetCaption("");
  BuildControls();
  LayOut();
  menu_ = new MainMenu(*menuBar());
  blockMenu_ = new BlockMenu(this);
  BuildCommands();
  ConnectToolbar();
  InstallFileOpening(*this);
}

frmMDIMain::~frmMDIMain() = default;

void frmMDIMain::BuildControls() {
  txtPresetName = new QLineEdit;
  txtPresetName->setObjectName("txtPresetName");
  txtPresetName->setMaxLength(kNameLength);
  txtPresetName->setMinimumWidth(txtPresetName->fontMetrics().horizontalAdvance(QString(kNameLength, 'W')) / 2 + 60);
  txtPresetName->installEventFilter(new CharacterFilter(
      txtPresetName, [](QChar c) { return c != '~'; },
      [](QChar c) { return "Character " + QString(c).toStdString() + " is not valid in a Preset Name"; },
      [this] { SetFormDirty(true); }));
  connect(txtPresetName, &QLineEdit::textEdited, this, [this] { SetFormDirty(true); });

  txtPresetNumber = new QLineEdit("0");
  txtPresetNumber->setObjectName("txtPresetNumber");
  txtPresetNumber->setMaxLength(3);
  txtPresetNumber->setFixedWidth(txtPresetNumber->fontMetrics().horizontalAdvance("0000") + 16);
  txtPresetNumber->setToolTip("The user preset the preset is sent to; 0 is the edit buffer");
  txtPresetNumber->installEventFilter(new CharacterFilter(
      txtPresetNumber, IsDigit,
      [](QChar c) { return QString(c).toStdString() + " is not valid in a Preset Number"; },
      [this] { SetFormDirty(true); }));

  lblPresetName = new QLabel;
  lblPresetName->setObjectName("lblPresetName");
  lblPresetName->setTextFormat(Qt::PlainText);
  lblPresetNumber = new QLabel;
  lblPresetNumber->setObjectName("lblPresetNumber");
  lblChanged = new QLabel("Edited");
  lblChanged->setObjectName("lblChanged");
  lblChanged->setStyleSheet("QLabel { color: #b3261e; font-weight: bold; }");
  lblChanged->hide();

  toolbar_ = new BlockToolbar;
  pane_ = new DumpPane;
  pane_->hide();
  connect(pane_, &DumpPane::EntryChosen, this, &frmMDIMain::DumpEntryChosen);

  editorHost_ = new QWidget;
  editorHost_->setObjectName("editorHost");
  auto* hostLayout = new QVBoxLayout(editorHost_);
  hostLayout->setContentsMargins(0, 0, 0, 0);
  lblNoBlock = new QLabel("Open a block from the toolbar or the Edit menu");
  lblNoBlock->setObjectName("lblNoBlock");
  lblNoBlock->setAlignment(Qt::AlignCenter);
  lblNoBlock->setEnabled(false);
  hostLayout->addWidget(lblNoBlock, 1);
  editorArea_ = new QScrollArea;
  editorArea_->setObjectName("editorArea");
  editorArea_->setWidgetResizable(true);
  editorArea_->setFrameShape(QFrame::NoFrame);
  editorArea_->setWidget(editorHost_);
  editorHost_->installEventFilter(this);
}

QWidget* frmMDIMain::BuildPresetBar() {
  auto* bar = new QWidget;
  bar->setObjectName("presetBar");
  auto* nameLabel = new QLabel("&Name");
  nameLabel->setBuddy(txtPresetName);
  auto* Label1 = new QLabel("Preset #");
  Label1->setObjectName("Label1");
  Label1->setBuddy(txtPresetNumber);
  auto* loadedLabel = new QLabel("Loaded:");
  loadedLabel->setEnabled(false);
  QFont bold = lblPresetName->font();
  bold.setBold(true);
  lblPresetName->setFont(bold);
  lblPresetNumber->setFont(bold);

  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(10, 8, 10, 4);
  layout->setSpacing(8);
  layout->addWidget(nameLabel);
  layout->addWidget(txtPresetName);
  layout->addSpacing(12);
  layout->addWidget(Label1);
  layout->addWidget(txtPresetNumber);
  layout->addSpacing(24);
  layout->addWidget(loadedLabel);
  layout->addWidget(lblPresetNumber);
  layout->addWidget(lblPresetName);
  layout->addStretch(1);
  layout->addWidget(lblChanged);
  return bar;
}

void frmMDIMain::LayOut() {
  auto* rule = new QFrame;
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(pane_);
  body->addWidget(editorArea_, 1);

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildPresetBar());
  layout->addWidget(toolbar_);
  layout->addWidget(rule);
  layout->addLayout(body, 1);
  setCentralWidget(central);
  resize(980, 620);
}

void frmMDIMain::BuildCommands() {
  clipboard_ = std::make_unique<BlockClipboard>(*this);
  dumpCommands_ = std::make_unique<DumpCommands>(*this);
  presetCommands_ = std::make_unique<PresetCommands>(*this);
  toolCommands_ = std::make_unique<ToolCommands>(*this);
  comforts_ = new EditingComforts(*this);
  new SoundDesignCommands(*this);
  const auto on = [this](const char* item, auto command) {
    connect(&menu_->Item(item), &QAction::triggered, this, command);
  };
  on("mnuFileOpen", [this] { dumpCommands_->OpenSysExDump(); });
  on("mnuFileSave", [this] { dumpCommands_->SaveSysExDump(); });
  on("mnuFileReceiveSysEx", [this] { dumpCommands_->ReceiveSysEx(); });
  on("mnuFileSendSysEx", [this] { dumpCommands_->SendSysEx(); });
  on("mnuFileSplitSysEx", [this] { dumpCommands_->SplitSysEx(); });
  on("mnuFileBackup", [this] { BackupCommands(*this).BackupDevice(); });
  on("mnuFileExit", [this] { close(); });
  on("mnuEditModifiers", [this] { toolCommands_->EditModifiers(); });
  on("mnuEditPresetName", [this] { FocusPresetName(); });
  on("mnuEditCopyBlock", [this] { clipboard_->CopyBlock(currentBlock_); });
  on("mnuEditPasteBlock", [this] { clipboard_->PasteBlock(); });
  on("mnuToolsMidiController", [this] { toolCommands_->MidiController(); });
  on("mnuToolsMidiSetup", [this] { toolCommands_->MidiSetup(); });
  on("mnuToolsIPD", [this] { toolCommands_->InternetDatabase(); });
  on("mnuToolsBanks", [this] { toolCommands_->Banks(); });
  on("mnuPresetRequest", [this] { presetCommands_->RequestPreset(); });
  on("mnuPresetLoad", [this] { presetCommands_->LoadFromFile(); });
  on("mnuPresetTransmit", [this] { presetCommands_->TransmitPreset(); });
  on("mnuPresetSave", [this] { presetCommands_->SaveAsFile(); });
  on("mnuPresetNew", [this] { presetCommands_->NewPreset(); });
  on("mnuHelpAbout", [this] { toolCommands_->About(); });
  for (int block = 1; block <= static_cast<int>(BlockNumber::TapTempo); ++block) {
    if (QAction* item = menu_->BlockItem(static_cast<BlockNumber>(block))) {
      connect(item, &QAction::triggered, this, [this, block] { ShowBlock(block); });
    }
  }
  // Tools provided elsewhere; their items wait for them.
  menu_->Item("mnuToolsMidiController").setEnabled(static_cast<bool>(services_.tools.controller));
  menu_->Item("mnuHelpAbout").setEnabled(static_cast<bool>(services_.tools.about));

  connect(blockMenu_, &BlockMenu::blockOnOffChosen, this, &frmMDIMain::SetBlockOnOff);
  connect(blockMenu_, &BlockMenu::copyBlockChosen, this,
          [this](BlockNumber iBlock) { clipboard_->CopyBlock(static_cast<int>(iBlock)); });
  connect(blockMenu_, &BlockMenu::pasteBlockChosen, this, [this] { clipboard_->PasteBlock(); });
  connect(blockMenu_, &BlockMenu::requestPresetChosen, this, [this] { presetCommands_->RequestPreset(); });
  connect(blockMenu_, &BlockMenu::transmitPresetChosen, this, [this] { presetCommands_->TransmitPreset(); });
}

void frmMDIMain::ConnectToolbar() {
  connect(toolbar_, &BlockToolbar::blockClicked, this, &frmMDIMain::OpenBlockFromToolbar);
  connect(toolbar_, &BlockToolbar::blockMenuRequested, this,
          [this](BlockNumber iBlock, Qt::MouseButton button, QPoint globalPos) {
            OpenBlockMenu(BlockMenuForm::Toolbar, iBlock, button, globalPos);
          });
  connect(toolbar_, &BlockToolbar::backgroundReleased, this, [this](Qt::MouseButton button, QPoint globalPos) {
    OpenBlockMenu(BlockMenuForm::Editor, static_cast<BlockNumber>(currentBlock_), button,
                  globalPos);
  });
  connect(toolbar_, &BlockToolbar::requestClicked, this, [this] { presetCommands_->RequestPreset(); });
  connect(toolbar_, &BlockToolbar::sendClicked, this, [this] {
    if (menu_->Item("mnuPresetTransmit").isEnabled()) presetCommands_->TransmitPreset();
  });
}

// Offered only with a preset on screen ("&Effects Blocks" enabled).
void frmMDIMain::OpenBlockMenu(BlockMenuForm form, BlockNumber iBlock, Qt::MouseButton button, QPoint globalPos) {
  const BlockEditor* window = blocks_ ? blocks_->ByBlock(iBlock) : nullptr;
  const BlockMenuContext context{.presetLoaded = menu_->Item("mnuEditBlock").isEnabled(),
                                 .blockIsOn = window && window->IsOn(),
                                 .copiedOffset = clipboard_->CopiedOffset()};
  blockMenu_->Open(form, iBlock, button, context, globalPos);
}

// A block opens only while its menu item is enabled, that is with a preset
// loaded; MOD runs "&Modifiers...".
void frmMDIMain::OpenBlockFromToolbar(BlockNumber iBlock) {
  QAction* item = iBlock == BlockNumber::Modifiers ? &menu_->Item("mnuEditModifiers") : menu_->BlockItem(iBlock);
  if (item && item->isEnabled()) item->trigger();
}

void frmMDIMain::Load() {
  const WaitCursor wait;
  loading_ = false;
  show();
  std::unique_ptr<QWidget> splash = services_.tools.splash ? services_.tools.splash(*this) : nullptr;
  if (splash) {
    splash->show();
    splash->repaint();
    QApplication::processEvents();
  }
  currentBlock_ = 0;
  midiSetup_ = std::make_unique<dlgMidiSetup>(services_.midi, services_.settings, this);
  blocks_ = std::make_unique<BlockWindows>();
  for (BlockEditor* window : blocks_->All()) window->Setup(*this);
  DisplayPreset(false);
}

// A release no block window took, on the bare frame background, opens the
// editors' menu for the compressor, whichever block is on show.
bool frmMDIMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched != editorHost_ || event->type() != QEvent::MouseButtonRelease) {
    return QMainWindow::eventFilter(watched, event);
  }
  const auto* release = static_cast<QMouseEvent*>(event);
  OpenBlockMenu(BlockMenuForm::Editor, BlockNumber::Compressor, release->button(), release->globalPosition().toPoint());
  return true;
}

void frmMDIMain::closeEvent(QCloseEvent* event) {
  // A transfer in progress holds the ports and waits for Cancel or Done.
  if ((midiSetup_ && midiSetup_->Busy()) || !ConfirmLoseChanges()) {
    event->ignore();
    return;
  }
  ShutDown();
  event->accept();
}

// Every step runs whatever the one before it did.
void frmMDIMain::ShutDown() {
  const auto ignoringErrors = [](auto step) {
    try {
      step();
    } catch (...) {
    }
  };
  // Tool windows still open close first, while what they use is there.
  ignoringErrors([this] {
    for (QDialog* window : findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
      if (window != midiSetup_.get() && window->isVisible()) window->close();
    }
  });
  ignoringErrors([this] { preset_.reset(); });
  ignoringErrors([this] { dump_.reset(); });
  ignoringErrors([this] { midiSetup_.reset(); });
  ignoringErrors([this] { blocks_->Release(); });
  ignoringErrors([this] { clipboard_->Release(); });
}

void frmMDIMain::DisplayPreset(bool bLoaded) {
  EnablePresetControls(bLoaded);
  if (bLoaded) {
    SetFormDirty(false);
    displayState_ = DisplayState::SinglePreset;
    clipboard_->UpdatePasteMenu();
  } else {
    displayState_ = DisplayState::Empty;
    lblPresetName->clear();
    SetCaption("");
    ShowBlock(0);
    menu_->Item("mnuEditPasteBlock").setEnabled(false);
  }
  ScatterPreset(bLoaded);
  ToggleButtons();
  if (!bLoaded) UpdateRoutingDisplay(kBlankRouting);
  Q_EMIT PresetShown();
}

void frmMDIMain::EnablePresetControls(bool bLoaded) {
  for (QWidget* control : {static_cast<QWidget*>(lblPresetName), static_cast<QWidget*>(lblPresetNumber),
                           static_cast<QWidget*>(txtPresetName), static_cast<QWidget*>(txtPresetNumber)}) {
    control->setEnabled(bLoaded);
  }
  txtPresetName->setReadOnly(!bLoaded);
  menu_->EnablePresetItems(bLoaded, static_cast<bool>(services_.tools.modifiers));
  toolbar_->SetSendEnabled(bLoaded);
}

// The editors report every value they set as a change; the edited mark is
// cleared afterwards, also when an editor failed.
void frmMDIMain::ScatterPreset(bool bLoaded) {
  loading_ = true;
  Guarded("frmMDIMain.ScatterPreset", [&] {
    ShowNameAndNumber(bLoaded && preset_);
    for (BlockEditor* window : blocks_->All()) window->Scatter(preset_.get(), bLoaded, true);
  });
  SetFormDirty(false);
  loading_ = false;
}

void frmMDIMain::ShowNameAndNumber(bool bLoaded) {
  txtPresetNumber->setText("0");
  if (!bLoaded) {
    txtPresetName->clear();
    lblPresetNumber->clear();
    return;
  }
  const QString name = NameForBox(preset_->PresetName());
  txtPresetName->setText(name);
  lblPresetName->setText(name);
  lblPresetNumber->setText(QString::number(NumberWithinBank(preset_->PresetNumber())));
}

bool frmMDIMain::GatherPreset(bool bSetNumber) {
  if (!preset_) return false;
  ClaimScreen();
  if (txtPresetName->text().isEmpty()) {
    ShowMessage("You must enter a name for the preset");
    txtPresetName->setFocus();
    return false;
  }
  preset_->SetPresetName(txtPresetName->text().toStdString());
  if (bSetNumber) {
    bool isNumber = false;
    const int number = txtPresetNumber->text().toInt(&isNumber);
    // Only user presets 1-100 and the edit buffer can be written to.
    if (isNumber && number >= 0 && number <= PresetNumber::UserBase) {
      preset_->SetPresetNumber(number == 0 ? PresetNumber::EditBuffer : number + PresetNumber::UserBase);
    } else {
      preset_->SetPresetNumber(PresetNumber::EditBuffer);
      txtPresetNumber->setText("0");
      ShowMessage("Invalid preset number, sent 0 to be safe");
    }
  }
  preset_->SaveModifiers();
  for (BlockEditor* window : blocks_->All()) window->Gather(*preset_);
  return true;
}

bool frmMDIMain::ConfirmLoseChanges() {
  if (!dirty_) return true;
  return Dialogs().Message(kLoseChanges, "Changes not saved", MessageIcon::Exclamation, MessageButtons::OkCancel,
                           MessageAnswer::Cancel) == MessageAnswer::Ok;
}

void frmMDIMain::SetCaption(const QString& sName) {
  captionName_ = sName;
  QString title = QString::fromUtf8(kAppTitle);
  for (const QString& part : {sName, captionNote_}) {
    if (!part.isEmpty()) title += " - " + part;
  }
  setWindowTitle(title);
}

void frmMDIMain::SetCaptionNote(const QString& note) {
  captionNote_ = note;
  SetCaption(captionName_);
}

QString frmMDIMain::NameOnScreen() const { return txtPresetName->text(); }

void frmMDIMain::FocusPresetName() { txtPresetName->setFocus(); }

void frmMDIMain::ShowSinglePreset(std::shared_ptr<CPreset> preset) {
  const int remembered = currentBlock_;
  ShowSysExPane(false, 0);
  preset_ = std::move(preset);
  DisplayPreset(true);
  ShowBlock(remembered);
}

void frmMDIMain::ShowBlock(int iBlock) {
  for (BlockEditor* window : blocks_->All()) window->hide();
  const auto block = static_cast<BlockNumber>(iBlock);
  menu_->CheckBlockItem(block);
  toolbar_->MarkBlock(iBlock);
  BlockEditor* window = blocks_->ByBlock(block);
  if (window && block != BlockNumber::TapTempo) SetCaption(window->Title());
  if (window) window->show();
  lblNoBlock->setVisible(!window);
  currentBlock_ = iBlock;
  clipboard_->UpdatePasteMenu();
}

void frmMDIMain::SetBlockOnOff(BlockNumber iBlock, bool bOn) {
  if (!preset_) return;
  ClaimScreen();
  for (BlockEditor* window : blocks_->All()) window->Gather(*preset_);
  if (!StoreBlockOnOff(*preset_, iBlock, bOn)) return;
  const QString name = txtPresetName->text();
  const QString number = txtPresetNumber->text();
  ScatterPreset(true);
  txtPresetName->setText(name);
  txtPresetNumber->setText(number);
  ToggleButtons();
  SetFormDirty(true);
}

void frmMDIMain::ShowState(const PresetImage& image, bool bDirty) {
  if (!preset_) return;
  const int number = preset_->PresetNumber();
  if (!preset_->LoadFromByteArray(image)) return;
  preset_->SetPresetNumber(number);
  const QString loadedName = lblPresetName->text();
  const QString target = txtPresetNumber->text();
  ScatterPreset(true);
  lblPresetName->setText(loadedName);
  txtPresetNumber->setText(target);
  ToggleButtons();
  const QScopedValueRollback loading(loading_, true);
  SetFormDirty(bDirty);
}

void frmMDIMain::MarkSaved() {
  SetFormDirty(false);
  Q_EMIT Saved();
}

void frmMDIMain::ReloadModifiers() {
  if (!preset_) return;
  const BlockWindows& b = *blocks_;
  preset_->ReloadModifiers(b.SubType("frmFilterMod"), b.IsOn("frmFilterMod"), b.SubType("frmPitch"),
                           b.IsOn("frmPitch"), b.SubType("frmChorusFlange"), b.IsOn("frmChorusFlange"),
                           b.SubType("frmDelay"), b.IsOn("frmDelay"), b.SubType("frmReverb"), b.IsOn("frmReverb"));
}

// The new dump replaces the open one only once it opened with a whole
// preset in it.
DumpOpened frmMDIMain::OpenDump(const std::string& sFileName) {
  auto opened = std::make_unique<CSysEx>();
  if (!opened->OpenFile(sFileName)) return DumpOpened::Unreadable;
  const int complete = WholeSlots(sFileName);
  if (complete == 0) return DumpOpened::NoPresets;
  const bool truncated = complete < opened->Count();
  CloseDump();
  dump_ = std::move(opened);
  ShowSysExPane(true, 0);
  return truncated ? DumpOpened::Truncated : DumpOpened::Yes;
}

int frmMDIMain::CompleteSlots() const { return dump_ ? WholeSlots(dump_->FileName()) : 0; }

void frmMDIMain::CloseDump() {
  try {
    if (dump_) {
      ShowSysExPane(false, 0);
      dump_.reset();
    }
    preset_.reset();
    if (displayState_ != DisplayState::Empty) DisplayPreset(false);
  } catch (...) {  // closing ignores every error
  }
}

// Showing a slot also selects its list entry, so the entry "Save SysEx
// dump" renames is always the slot on screen, from the first slot shown on
// opening onwards.
void frmMDIMain::ShowSysExPane(bool bShow, int iIndex) {
  loading_ = true;
  pane_->setVisible(bShow);
  if (!bShow || !dump_) {
    pane_->Clear();
    DisplayPreset(false);
    menu_->EnableDumpItems(false);
    return;
  }
  if (pane_->IsEmpty()) {
    QStringList labels;
    for (int i = 0; i < dump_->Count(); ++i) labels << QString::fromStdString(dump_->PresetName(i));
    pane_->Fill(QString::fromStdString(dump_->FileName()), labels);
  }
  preset_ = dump_->Preset(iIndex);
  slot_ = iIndex;
  pane_->Select(iIndex);
  DisplayPreset(true);
  displayState_ = DisplayState::DumpSlot;
  menu_->EnableDumpItems(true);
}

void frmMDIMain::RelabelSlot(int slot) {
  if (dump_) pane_->Relabel(slot, QString::fromStdString(dump_->PresetName(slot)));
}

// A choice the user takes back, or a slot the file does not hold whole,
// keeps the slot on screen selected.
void frmMDIMain::DumpEntryChosen(int row) {
  if (loading_ || displayState_ != DisplayState::DumpSlot || pane_->Count() <= 1) return;
  if (row >= CompleteSlots()) {
    pane_->Select(slot_);
    ShowMessage("Preset " + std::to_string(row + 1) + " is incomplete: the file ends inside it");
    return;
  }
  if (ConfirmLoseChanges()) {
    ShowSysExPane(true, row);
  } else {
    pane_->Select(slot_);
  }
}

void frmMDIMain::SetFormDirty(bool bDirty) {
  if (bDirty && !loading_) Q_EMIT Edited();
  if (dirty_ == bDirty) return;
  dirty_ = bDirty;
  lblChanged->setVisible(bDirty);
}

void frmMDIMain::BlockOnOffChanged() {
  if (loading_) return;
  SetFormDirty(true);
  ReloadModifiers();
  ToggleButtons();
}

void frmMDIMain::SubTypeChanged(BlockEditor& frm) {
  if (loading_) return;
  SetFormDirty(true);
  {
    const QScopedValueRollback loading(loading_, true);
    frm.Scatter(preset_.get(), true, false);
  }
  ReloadModifiers();
}

void frmMDIMain::DoRightMouseMenu(BlockNumber iBlock, Qt::MouseButton button, QPoint) {
  OpenBlockMenu(BlockMenuForm::Editor, iBlock, button, QCursor::pos());
}

void frmMDIMain::SizeForm(QWidget& frm) {
  frm.hide();
  editorHost_->layout()->addWidget(&frm);
}

void frmMDIMain::ToggleButtons() {
  for (const char* name : kLampWindows) {
    if (const BlockEditor* window = blocks_->ByName(name)) toolbar_->SetBlockOn(window->Block(), window->IsOn());
  }
}

void frmMDIMain::UpdateRoutingDisplay(int iRouting) { toolbar_->UpdateRoutingDisplay(iRouting); }

// The light keeps its start rate until a preset sets one: the empty
// screen's neutral tap tempo is no preset's.
void frmMDIMain::SetTapTempoSpeed(const QString& sSpeed) {
  if (displayState_ != DisplayState::Empty) toolbar_->SetTapTempoSpeed(sSpeed);
}
