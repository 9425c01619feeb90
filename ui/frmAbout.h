// "About Lindel editor": the program's name and version, its credits and the
// disclaimer, shown modally from the Help menu.
#pragma once

#include <QDialog>

#include "ProgramVersion.h"

// "Version 1.5  build 66" for 1.5.0.66.
QString AboutVersionText(const ProgramVersion& version);
// "Thanks to" and the credits, one name and contribution per entry, with
// an empty line between entries.
QString ThanksText();

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* parent = nullptr);
};
