// The window of a reading run with the G-Major (a device backup, or the
// read-back that verifies a send): the preset being asked for, a bar of how
// many are done, and Cancel. It blocks the other windows while the reading
// waits for the device, so that no other transfer opens the ports meanwhile,
// and lets their repaints run; Cancel, Esc and the close button end the run.
#pragma once

#include <QDialog>
#include <vector>

#include "PresetReader.h"
#include "QtEventPump.h"

class MidiSystem;
class QLabel;
class QProgressBar;
class QPushButton;

class dlgReadPresets final : public QDialog, private PresetReadListener {
  Q_OBJECT

 public:
  explicit dlgReadPresets(MidiSystem& system, QWidget* parent = nullptr);
  ~dlgReadPresets() override;

  PresetReader& Reader() { return reader_; }
  // Shows the window with this caption, reads numbers from the devices at
  // these positions and hides it again.
  PresetReadResult Read(const QString& caption, int input, int output, const std::vector<int>& numbers);

 protected:
  void reject() override;

 private:
  void BuildControls();
  void Requesting(int number, int attempt, int done, int total) override;
  void Refused(const Refusal& refusal) override;

  QtEventPump pump_;
  PresetReader reader_;

  QLabel* lblDisplay = nullptr;
  QProgressBar* prgRead = nullptr;
  QPushButton* CancelButton = nullptr;
};
