#include "ToolCommands.h"
#include "LibraryCommands.h"

#include <QAction>
#include <QApplication>

#include "BankWindow.h"
#include "Dialogs.h"
#include "EditorBankDevice.h"
#include "Guarded.h"
#include "LibraryError.h"
#include "LibraryPath.h"
#include "PresetLibrary.h"
#include "MainMenu.h"
#include "dlgInternet.h"
#include "dlgMidiSetup.h"

void ToolCommands::EditModifiers() {
  const FrameTools& tools = frame_.Tools();
  if (!tools.modifiers || !frame_.Menu().mnuEditModifiers->isEnabled() || !frame_.Preset()) return;
  frame_.ClaimScreen();
  const int remembered = frame_.CurrentBlock();
  frame_.ShowBlock(static_cast<int>(BlockNumber::Modifiers));
  QApplication::processEvents();
  const BlockWindows& blocks = frame_.Blocks();
  const std::array<bool, 5> blocksOn = {blocks.IsOn("frmFilterMod"), blocks.IsOn("frmPitch"),
                                        blocks.IsOn("frmChorusFlange"), blocks.IsOn("frmDelay"),
                                        blocks.IsOn("frmReverb")};
  if (tools.modifiers(frame_, *frame_.Preset(), blocksOn)) frame_.SetFormDirty(true);
  frame_.ShowBlock(remembered);
}

// The setup's result and failures are of no further use here.
void ToolCommands::MidiSetup() {
  Guarded("MIDI Setup menu", [&] { frame_.MidiSetup().SetupMidi(); });
}

void ToolCommands::MidiController() {
  if (!frame_.Tools().controller) return;
  dlgMidiSetup& setup = frame_.MidiSetup();
  frame_.Tools().controller(frame_, [&setup] { return setup.GetMidiOutputDevice(); });
}

void ToolCommands::Banks() {
  if (auto* open = frame_.findChild<BankWindow*>("frmBank")) {
    open->raise();
    open->activateWindow();
    return;
  }
  try {
    auto* window = new BankWindow(std::make_unique<PresetLibrary>(LibraryPath()),
                                  std::make_unique<EditorBankDevice>(frame_), &frame_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
  } catch (const LibraryError& e) {
    Dialogs().Message(e.what(), "Bank", MessageIcon::Exclamation);
  }
}

void ToolCommands::InternetDatabase() {
  Guarded("Internet Database menu", [&] {
    const std::optional<InternetDownload> downloaded = RunInternetDatabase(frame_.Settings(), &frame_);
    if (!downloaded || !frame_.ConfirmLoseChanges()) return;
    frame_.ShowSinglePreset(std::make_shared<CPreset>(downloaded->preset));
    frame_.Library().PresetArrived("internet", std::to_string(downloaded->id));
  });
}

void ToolCommands::About() {
  if (frame_.Tools().about) frame_.Tools().about(frame_);
}
