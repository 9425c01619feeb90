// "Compare with Saved": the editors show the preset as it was last loaded,
// received or saved, and then the edits again, which are kept meanwhile.
// The saved state is only looked at: the first click or key press in a
// block editor or the name box ends the comparison and brings the edits
// back instead of changing the saved state, so no edit is ever made to it.
// The caption and the status bar say that a comparison is on show.
#pragma once

#include <QObject>

#include "PresetLayout.h"

class QAction;
class QEvent;
class QWidget;
class frmMDIMain;

class CompareView final : public QObject {
  Q_OBJECT

 public:
  CompareView(frmMDIMain& frame, QAction& item);

  // Shows saved, keeping edits (what the screen shows now) to come back to.
  void Begin(const PresetImage& edits, const PresetImage& saved);
  // The edits back on screen.
  void End();
  // Another preset came on screen: there is nothing to come back to.
  void Drop();
  bool Active() const { return active_; }

 Q_SIGNALS:
  // The screen shows another state of the preset.
  void switched();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetActive(bool active);
  bool IsEditingInput(QObject* watched, const QEvent& event) const;

  frmMDIMain& frame_;
  QAction& item_;
  PresetImage edits_{};
  bool active_ = false;
};
