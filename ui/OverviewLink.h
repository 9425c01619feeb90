// Keeps the frame's overview in step with the screen: redrawn from what the
// editors show after every edit, command and preset shown; its cards open
// their block's window or block menu; Edit > "Overview" brings it back.
#pragma once

#include <QObject>

class frmMDIMain;

class OverviewLink final : public QObject {
  Q_OBJECT

 public:
  explicit OverviewLink(frmMDIMain& frame);
  // Redraws the overview from the editors; nothing while no preset is on screen.
  void Refresh();

 private:
  frmMDIMain& frame_;
};
