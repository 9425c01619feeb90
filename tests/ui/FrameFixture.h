// The editor's frame as a user meets it, for end-to-end tests: the real
// window on the in-process simulated G-Major, scripted answers to every
// message box, queued answers to the file dialogs, settings in memory and
// the error log in a temporary folder. Modal windows and transfers that wait
// for the user (the request dialog, Done, Cancel) are answered by steps
// queued before the command runs; a step that never gets its chance fails
// the test instead of hanging it.
#pragma once

#include <QString>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CFileUI.h"
#include "ErrorLogCapture.h"
#include "ISettings.h"
#include "ScriptedDialogs.h"
#include "SimulatorMidiSystem.h"
#include "TempDir.h"
#include "frmMDIMain.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTimer;

// The question before edits are lost.
inline constexpr const char* kLoseChanges =
    "If you continue you will lose changes to your current preset!\n"
    "You can save the preset as a file or transmit it to you G-Major";

// File dialogs that answer with queued paths, "" (cancelled) when none is left.
class QueuedFileUI final : public CFileUI {
 public:
  std::deque<std::string> opens;
  std::deque<std::string> saves;
  int asked = 0;

  std::string GetOpenFile(void*) override { return Next(opens); }
  std::string GetSaveFile(void*) override { return Next(saves); }

 private:
  std::string Next(std::deque<std::string>& queue);
};

// Plays steps while the frame's commands run their modal loops and waits:
// each step is tried on every turn of the event loop until it reports done.
class StepPlayer {
 public:
  StepPlayer();
  ~StepPlayer();
  void Then(QString what, std::function<bool()> step);
  // The step that did not get done in time, or "" when all were.
  const QString& Stuck() const { return stuck_; }
  bool Done() const { return steps_.empty(); }

 private:
  struct Step {
    QString what;
    std::function<bool()> run;
  };
  void Tick();
  void GiveUp();

  std::deque<Step> steps_;
  QTimer* timer_;
  std::chrono::steady_clock::time_point started_;
  QString stuck_;
};

class FrameFixture {
 public:
  // A short bulk-dump delay and fast wire timings make transfers quick.
  // system: the devices to use instead of the simulator.
  explicit FrameFixture(FrameTools tools = {}, MidiSystem* system = nullptr);
  ~FrameFixture();

  frmMDIMain& Frame() { return *frame_; }
  void Trigger(const char* menuItem);
  // Runs the menu item with its open or save file dialog answering path.
  void TriggerOpening(const char* menuItem, const std::string& path) {
    files.opens.push_back(path);
    Trigger(menuItem);
  }
  void TriggerSaving(const char* menuItem, const std::string& path) {
    files.saves.push_back(path);
    Trigger(menuItem);
  }
  bool Enabled(const char* menuItem);

  // Steps for what the user does inside a command.
  void AnswerRequest(const QString& number, bool userBank);
  void CancelRequestDialog();
  // Presses "Done" once the dump reception has received presets messages.
  void PressDoneAfter(int presets);
  // Presses Cancel in the MIDI setup window once a transfer is waiting.
  void CancelTransfer();

  // The user's edits.
  void TypeName(const QString& name);
  void TypeNumber(const QString& number);
  void Choose(const char* editor, const char* list, int index);
  QComboBox& List(const char* editor, const char* list);
  QLineEdit& Box(const char* name);
  QLabel& Label(const char* name);
  QListWidget& PresetList();  // the dump pane's slots
  bool EditedShown();

  // A preset named name, numbered number, written to the folder.
  std::string WritePreset(const std::string& fileName, const std::string& name, int number = 101);
  std::string WriteDump(const std::string& fileName, int presets);
  std::vector<std::string> Messages() const { return dialogs.Texts(); }
  // Whether a line with this description was logged.
  bool Logged(const QString& description) const;

  TempDir dir;
  ErrorLogCapture log;
  ScriptedDialogs dialogs;
  MemorySettings settings;
  SimulatorMidiSystem midi;
  QueuedFileUI files;
  StepPlayer steps;

 private:
  std::unique_ptr<frmMDIMain> frame_;
};

// The preset the simulated device holds under number (0, 1-100, 101-200).
CPreset DevicePreset(SimulatorMidiSystem& midi, int number);
