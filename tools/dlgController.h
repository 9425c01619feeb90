// "MIDI Controler": the editor as a small foot controller. Five stored
// set-ups, each a program change and up to five controller changes, are sent
// by their buttons; a vertical scroll bar acts as an expression pedal and
// sends one controller change per movement. The main window opens it
// modeless; every send opens a fresh port on the output device chosen in the
// MIDI setup.
//
// Settings: "MIDIController" ("Channel"), "MIDIController\presetN" ("PC"),
// "MIDIController\presetN\CCk" ("CC", "value"), "MIDIController\xpression"
// ("CC", "Min", "Max"); loaded when the dialog is created, saved by "&Save"
// and when it closes.
//
// Control arrays: element i of array X has the objectName "X(i)", i = 0-4.
#pragma once

#include <QDialog>
#include <array>

#include "ControllerSender.h"

class ExpressionPedal;
class IEventPump;
class ISettings;
class MidiSystem;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class dlgController final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kSetups = 5;

  dlgController(MidiSystem& system, ControllerSender::DevicePosition outputDevice, ISettings& settings,
                IEventPump& pump, QWidget* parent = nullptr);
  // Saves the settings when the dialog goes while still open.
  ~dlgController() override;

  // Shortens the pause after a program change (tests).
  void SetTimings(const MidiTimings& timings) { sender_.SetTimings(timings); }
  // Sends set-up i (0-4), as its button does. A press while a send is
  // running (the pause after a program change lets events run) is ignored.
  // The first failure is logged and ends the run; the user sees nothing.
  void sendValues(int i);
  // The first failure is logged and ends the loading or saving.
  void LoadSettings();
  void SaveSettings();

  // Saves and closes; while a send is running, closes once it is over.
  void done(int result) override;

 private:
  struct SetupControls {
    QGroupBox* framePreset = nullptr;
    QPushButton* cmdPS = nullptr;
    QLineEdit* txtPC1 = nullptr;
    std::array<QLineEdit*, kSetupControllers> txtCC{};
    std::array<QLineEdit*, kSetupControllers> txtCCV{};
  };

  QWidget* BuildSetup(int i);
  QWidget* BuildPedal();
  QLayout* BuildTopRow();
  QLayout* BuildButtons();
  void ConnectControls();

  ControllerSetup ReadSetup(int i) const;
  void SendPedal(int value);
  void LoadSetup(int n);
  void SaveSetup(int n);

  ISettings& settings_;
  ControllerSender sender_;
  bool sending_ = false;
  bool closePending_ = false;

  std::array<SetupControls, kSetups> setups_{};
  QComboBox* cmbChannel = nullptr;
  QLabel* lblDisplay = nullptr;
  ExpressionPedal* xpressionPedal = nullptr;
  QLineEdit* txtMin = nullptr;
  QLineEdit* txtMax = nullptr;
  QLineEdit* txtCCxp = nullptr;
  QLabel* lblXpression = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdClose = nullptr;
};

// "&MIDI Controller...": opens the tool modeless over frame, or brings the
// open one forward, so that one dialog at a time owns the stored settings.
// The dialog deletes itself when it closes.
dlgController& ShowController(MidiSystem& system, ControllerSender::DevicePosition outputDevice,
                              ISettings& settings, IEventPump& pump, QWidget& frame);
