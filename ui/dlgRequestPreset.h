// "Request Preset": asks which preset of the G-Major to fetch, a number and a
// bank, and turns the entry into the device's preset number (0 edit buffer,
// 1-100 factory, 101-200 user). Shown modally by the preset request command;
// a new dialog for every request, so each starts empty with "&User" chosen.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

class dlgRequestPreset final : public QDialog {
  Q_OBJECT

 public:
  explicit dlgRequestPreset(QWidget* parent = nullptr);

  // Shows the dialog modally; true when OK accepted a number.
  bool RequestPreset();
  // The number typed, plus 100 in the user bank unless it is 0.
  int Preset() const;

 private:
  void BuildControls();
  void LayOut();
  void OK();

  int bank_ = 1;
  bool result_ = false;

  QLineEdit* txtPresetNumber = nullptr;
  QRadioButton* optBank0 = nullptr;
  QRadioButton* optBank1 = nullptr;
};
