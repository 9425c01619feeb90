#include "CompareView.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStatusBar>

#include "frmMDIMain.h"

namespace {
constexpr const char* kCaptionNote = "Comparing with saved";
constexpr const char* kStatus = "Comparing with the saved preset: your edits are kept. Click an editor or "
                                "choose Compare with Saved again to go back to them.";
}  // namespace

CompareView::CompareView(frmMDIMain& frame, QAction& item) : QObject(&frame), frame_(frame), item_(item) {}

void CompareView::Begin(const PresetImage& edits, const PresetImage& saved) {
  if (active_) return;
  edits_ = edits;
  frame_.ShowState(saved, frame_.IsDirty());
  SetActive(true);
  Q_EMIT switched();
}

void CompareView::End() {
  if (!active_) return;
  SetActive(false);
  frame_.ShowState(edits_, frame_.IsDirty());
  Q_EMIT switched();
}

void CompareView::Drop() {
  if (active_) SetActive(false);
}

void CompareView::SetActive(bool active) {
  active_ = active;
  item_.setChecked(active);
  frame_.SetCaptionNote(active ? kCaptionNote : "");
  if (active) {
    qApp->installEventFilter(this);
    frame_.statusBar()->setStyleSheet("QStatusBar { background: #fff1c9; color: #5c4300; font-weight: bold; }");
    frame_.statusBar()->show();
    frame_.statusBar()->showMessage(kStatus);
  } else {
    qApp->removeEventFilter(this);
    frame_.statusBar()->clearMessage();
    frame_.statusBar()->hide();
  }
}

// The input arrives before the control sees it, so the control keeps
// showing the saved value until the edits are back.
bool CompareView::eventFilter(QObject* watched, QEvent* event) {
  if (!active_ || !IsEditingInput(watched, *event)) return false;
  End();
  return true;
}

bool CompareView::IsEditingInput(QObject* watched, const QEvent& event) const {
  switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
      break;
    case QEvent::KeyPress: {
      const int key = static_cast<const QKeyEvent&>(event).key();
      if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
      break;
    }
    default:
      return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || !frame_.isAncestorOf(widget)) return false;
  for (const BlockEditor* window : frame_.Blocks().All()) {
    if (window->isAncestorOf(widget)) return true;
  }
  auto* name = frame_.findChild<QLineEdit*>("txtPresetName");
  return widget == name;
}
