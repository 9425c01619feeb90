// A question box that looks like QMessageBox's, with a check box under the
// text for each option, since QMessageBox holds one check box only. exec()
// returns the standard button pressed; Esc and the close button give the
// box's escape button (Cancel, else No, else OK), as QMessageBox does; Enter
// presses the default button unless the user moved the focus to another.
#pragma once

#include <QDialog>
#include <QMessageBox>

#include "Dialogs.h"

class QCheckBox;
class QDialogButtonBox;
class QVBoxLayout;

class OptionsQuestion final : public QDialog {
  Q_OBJECT

 public:
  OptionsQuestion(const QString& title, const QString& text, QMessageBox::Icon icon,
                  QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                  QWidget* parent = nullptr);

  // A check box named and captioned as the option, in its state.
  QCheckBox& AddOption(const MessageOption& option);

 protected:
  void reject() override;

 private:
  void SetDefault(QMessageBox::StandardButton defaultButton);

  QVBoxLayout* options_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  QMessageBox::StandardButton escape_;
};
