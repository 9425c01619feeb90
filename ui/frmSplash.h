// The window shown while the main window loads its editors. A click on it or
// any key hides it at once; otherwise the main window closes it when its
// start-up is done. Its owner deletes it either way.
#pragma once

#include <QWidget>

#include "ProgramVersion.h"

// "Version 1.5" for 1.5.0.66.
QString SplashVersionText(const ProgramVersion& version);

class frmSplash : public QWidget {
  Q_OBJECT

 public:
  explicit frmSplash(QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
};
