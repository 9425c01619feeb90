// "MIDI Setup": the window in which the user picks the MIDI input and output
// device, and the face of every transfer with the G-Major. It is a thin view
// on MidiTransfer, which does the work: the lists show its devices and
// forward the user's choice, OKButton and CancelButton run its OK and Cancel
// steps, and what it reports as a TransferListener appears in lblDisplay,
// on CancelButton and, during dump transfers, in a progress bar beside the
// status text.
//
// Loaded once by the main window and only hidden between runs. Setup is
// modal; a transfer shows the window without modality (so Cancel or Done can
// be clicked while the transfer waits) and returns when the run is over.
#pragma once

#include <QDialog>

#include "MidiTransfer.h"
#include "QtEventPump.h"
#include "TransferListener.h"

class CFile;
class CPreset;
class ISettings;
class MidiSystem;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

class dlgMidiSetup final : public QDialog, private TransferListener {
  Q_OBJECT

 public:
  // Fills the device lists and restores the selection stored under "MIDI".
  dlgMidiSetup(MidiSystem& system, ISettings& settings, QWidget* parent = nullptr);
  ~dlgMidiSetup() override;

  // Both lists have a selection.
  bool IsSetup() const { return transfer_.IsSetup(); }
  // The modal device choice; true after OK, false after Cancel.
  bool SetupMidi();
  bool RequestPreset(CPreset& Preset, int iPreset);
  bool TransmitPreset(CPreset& Preset);
  bool ReceiveSysEx(CFile& File);
  bool SendSysEx(CFile& File);
  // The selected output position, or -1 (the controller tool's port).
  int GetMidiOutputDevice() const { return transfer_.GetMidiOutputDevice(); }
  // A transfer is running; a second one asked for meanwhile is refused with
  // a message.
  bool Busy() const { return busy_; }

  // The engine, for its timings and for what the last run logged.
  MidiTransfer& Transfer() { return transfer_; }

 protected:
  // Esc and the title bar's close button act as CancelButton.
  void reject() override;

 private:
  void BuildControls();
  void LayOut();
  void FillDeviceLists();
  void ShowSelection();
  void ShowProgress(int expectedPresets);
  template <class Run>
  bool RunTransfer(int expectedPresets, Run run);

  void StatusChanged(const std::string& text) override;
  void CancelCaptionChanged(const std::string& caption) override;
  void ControlsEnabledChanged(bool enabled) override;
  void DumpProgress(int presets) override;
  void Refused(const Refusal& refusal) override;
  void RunEnded() override;

  QtEventPump pump_;
  MidiTransfer transfer_;
  bool busy_ = false;

  QComboBox* cmbInput = nullptr;
  QComboBox* cmbOutput = nullptr;
  QLabel* lblDisplay = nullptr;
  QProgressBar* prgDump = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;
};
