// Lets the user drop .syx files on the frame window. The drop is taken at
// once and the file opened from the event loop afterwards, so that the
// program the file came from is not kept waiting by the questions and
// messages of the opening.
#pragma once

#include <QObject>

class frmMDIMain;

class FileDropFilter final : public QObject {
  Q_OBJECT

 public:
  // Watches frame for as long as frame lives.
  explicit FileDropFilter(frmMDIMain& frame);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  frmMDIMain& frame_;
};
