#include "frmMDIMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QVBoxLayout>

#include "BlockClipboard.h"
#include "BlockTable.h"
#include "BlockToolbar.h"
#include "CommandSteps.h"
#include "Dialogs.h"
#include "DumpPane.h"
#include "FileOpener.h"
#include "Guarded.h"
#include "MainMenu.h"
#include "PresetBar.h"
#include "dlgMidiSetup.h"
#include "frmOverview.h"

namespace {

constexpr int kBlankRouting = 3;
constexpr const char* kLoseChanges =
    "If you continue you will lose changes to your current preset!\n"
    "You can save the preset as a file or transmit it to you G-Major";

// The blocks with an on/off lamp, in the order the lamps are redrawn.
constexpr const char* kLampWindows[] = {"frmCompressor", "frmNoiseGateEQ", "frmFilterMod", "frmPitch",
                                        "frmChorusFlange", "frmDelay", "frmReverb"};

}  // namespace

frmMDIMain::frmMDIMain(FrameServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
  setObjectName("frmMDIMain");
  SetCaption("");
  BuildControls();
  LayOut();
  menu_ = new MainMenu(*menuBar());
  blockMenu_ = new BlockMenu(this);
  commands_ = std::make_unique<FrameCommands>(*this);
  InstallFileOpening(*this);
}

frmMDIMain::~frmMDIMain() = default;

void frmMDIMain::BuildControls() {
  presetBar_ = new PresetBar;
  connect(presetBar_, &PresetBar::edited, this, [this] { SetFormDirty(true); });
  toolbar_ = new BlockToolbar;
  pane_ = new DumpPane;
  pane_->hide();
  dumps_ = std::make_unique<DumpBrowser>(*this, *pane_);

  editorHost_ = new QWidget;
  editorHost_->setObjectName("editorHost");
  auto* hostLayout = new QVBoxLayout(editorHost_);
  hostLayout->setContentsMargins(0, 0, 0, 0);
  lblNoBlock = new QLabel("Open a block from the toolbar or the Edit menu");
  lblNoBlock->setObjectName("lblNoBlock");
  lblNoBlock->setAlignment(Qt::AlignCenter);
  lblNoBlock->setEnabled(false);
  hostLayout->addWidget(lblNoBlock, 1);
  overview_ = new frmOverview;
  overview_->hide();
  hostLayout->addWidget(overview_, 1);
  editorArea_ = new QScrollArea;
  editorArea_->setObjectName("editorArea");
  editorArea_->setWidgetResizable(true);
  editorArea_->setFrameShape(QFrame::NoFrame);
  editorArea_->setWidget(editorHost_);
  editorHost_->installEventFilter(this);
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
  layout->addWidget(presetBar_);
  layout->addWidget(toolbar_);
  layout->addWidget(rule);
  layout->addLayout(body, 1);
  setCentralWidget(central);
  resize(980, 620);
}

// Offered only with a preset on screen ("&Effects Blocks" enabled).
void frmMDIMain::OpenBlockMenu(BlockMenuForm form, BlockNumber iBlock, Qt::MouseButton button, QPoint globalPos) {
  const BlockEditor* window = blocks_ ? blocks_->ByBlock(iBlock) : nullptr;
  const BlockMenuContext context{.presetLoaded = menu_->mnuEditBlock->menuAction()->isEnabled(),
                                 .blockIsOn = window && window->IsOn(),
                                 .copiedOffset = Clipboard().CopiedOffset()};
  blockMenu_->Open(form, iBlock, button, context, globalPos);
}

// A block opens only while its menu item is enabled, that is with a preset
// loaded; MOD runs "&Modifiers...".
void frmMDIMain::OpenBlockFromToolbar(BlockNumber iBlock) {
  QAction* item = iBlock == BlockNumber::Modifiers ? menu_->mnuEditModifiers : menu_->BlockItem(iBlock);
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
  ignoringErrors([this] { dumps_->Release(); });
  ignoringErrors([this] { midiSetup_.reset(); });
  ignoringErrors([this] { blocks_->Release(); });
  ignoringErrors([this] { Clipboard().Release(); });
}

void frmMDIMain::DisplayPreset(bool bLoaded) {
  EnablePresetControls(bLoaded);
  if (bLoaded) {
    SetFormDirty(false);
    displayState_ = DisplayState::SinglePreset;
    Clipboard().UpdatePasteMenu();
  } else {
    displayState_ = DisplayState::Empty;
    presetBar_->SetLoadedName({});
    SetCaption("");
    ShowBlock(0);
    menu_->mnuEditPasteBlock->setEnabled(false);
  }
  ScatterPreset(bLoaded);
  ToggleButtons();
  if (!bLoaded) UpdateRoutingDisplay(kBlankRouting);
  ShowNoBlockView();
  Q_EMIT presetShown();
}

void frmMDIMain::EnablePresetControls(bool bLoaded) {
  presetBar_->SetLoaded(bLoaded);
  menu_->EnablePresetItems(bLoaded, static_cast<bool>(services_.tools.modifiers));
  toolbar_->SetSendEnabled(bLoaded);
}

// The editors report every value they set as a change; the edited mark is
// cleared afterwards, also when an editor failed.
void frmMDIMain::ScatterPreset(bool bLoaded) {
  loading_ = true;
  Guarded("frmMDIMain.ScatterPreset", [&] {
    presetBar_->ShowPreset(bLoaded ? preset_.get() : nullptr);
    for (BlockEditor* window : blocks_->All()) window->Scatter(preset_.get(), bLoaded, true);
  });
  SetFormDirty(false);
  loading_ = false;
}

bool frmMDIMain::GatherPreset(bool bSetNumber) {
  if (!preset_) return false;
  ClaimScreen();
  if (!presetBar_->CheckName()) return false;
  preset_->SetPresetName(presetBar_->Name().toStdString());
  if (bSetNumber) {
    const std::optional<int> number = presetBar_->TargetNumber();
    preset_->SetPresetNumber(number.value_or(PresetNumber::EditBuffer));
    if (!number) presetBar_->RefuseNumber();
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

QString frmMDIMain::NameOnScreen() const { return presetBar_->Name(); }

void frmMDIMain::FocusPresetName() { presetBar_->FocusName(); }

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
  currentBlock_ = iBlock;
  ShowNoBlockView();
  Clipboard().UpdatePasteMenu();
}

void frmMDIMain::ShowNoBlockView() {
  const bool noWindow = !blocks_ || !blocks_->ByBlock(static_cast<BlockNumber>(currentBlock_));
  const bool loaded = displayState_ != DisplayState::Empty;
  lblNoBlock->setVisible(noWindow && !loaded);
  overview_->setVisible(noWindow && loaded);
}

void frmMDIMain::SetBlockOnOff(BlockNumber iBlock, bool bOn) {
  if (!preset_) return;
  ClaimScreen();
  for (BlockEditor* window : blocks_->All()) window->Gather(*preset_);
  if (!StoreBlockOnOff(*preset_, iBlock, bOn)) return;
  const QString name = presetBar_->Name();
  const QString number = presetBar_->Number();
  ScatterPreset(true);
  presetBar_->SetName(name);
  presetBar_->SetNumber(number);
  ToggleButtons();
  SetFormDirty(true);
}

void frmMDIMain::ShowState(const PresetImage& image, bool bDirty) {
  if (!preset_) return;
  const int number = preset_->PresetNumber();
  if (!preset_->LoadFromByteArray(image)) {
    ShowRefusal(preset_->Refused());
    return;
  }
  preset_->SetPresetNumber(number);
  const QString loadedName = presetBar_->LoadedName();
  const QString target = presetBar_->Number();
  ScatterPreset(true);
  presetBar_->SetLoadedName(loadedName);
  presetBar_->SetNumber(target);
  ToggleButtons();
  const QScopedValueRollback loading(loading_, true);
  SetFormDirty(bDirty);
  Q_EMIT stateShown();
}

void frmMDIMain::MarkSaved() {
  SetFormDirty(false);
  Q_EMIT saved();
}

void frmMDIMain::ReloadModifiers() {
  if (!preset_) return;
  const BlockWindows& b = *blocks_;
  preset_->ReloadModifiers(b.SubType("frmFilterMod"), b.IsOn("frmFilterMod"), b.SubType("frmPitch"),
                           b.IsOn("frmPitch"), b.SubType("frmChorusFlange"), b.IsOn("frmChorusFlange"),
                           b.SubType("frmDelay"), b.IsOn("frmDelay"), b.SubType("frmReverb"), b.IsOn("frmReverb"));
}

void frmMDIMain::CloseDump() {
  try {
    dumps_->Close();
    preset_.reset();
    if (displayState_ != DisplayState::Empty) DisplayPreset(false);
  } catch (...) {  // closing ignores every error
  }
}

void frmMDIMain::ShowDumpSlot(std::shared_ptr<CPreset> preset) {
  preset_ = std::move(preset);
  DisplayPreset(true);
  displayState_ = DisplayState::DumpSlot;
}

void frmMDIMain::SetFormDirty(bool bDirty) {
  if (bDirty && !loading_) Q_EMIT edited();
  if (dirty_ == bDirty) return;
  dirty_ = bDirty;
  presetBar_->SetEdited(bDirty);
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
