// One block editor set up and shown under a recording host, made by its
// window name or handed over, with the look-ups the editor tests share: a
// control's text, caption, visibility and enabled state by objectName, and
// picking or clicking a list item as code or the user would.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <memory>

#include "BlockEditor.h"
#include "RecordingHost.h"

// Every block editor, by its window's objectName ("frmDelay").
std::unique_ptr<BlockEditor> MakeEditor(const QString& name);

class EditorProbe {
 public:
  explicit EditorProbe(const QString& editor) : EditorProbe(MakeEditor(editor)) {}
  explicit EditorProbe(std::unique_ptr<BlockEditor> editor);

  BlockEditor& Editor() const { return *frm_; }
  QComboBox& List(const QString& name) const { return Find<QComboBox>(name); }
  QCheckBox& Check(const QString& name) const { return Find<QCheckBox>(name); }
  // A list's text or a check box's value, as the user sees it.
  QString Text(const QString& name) const;
  QString Caption(const QString& name) const { return Find<QLabel>(name).text(); }
  bool Shows(const QString& name) const { return Find<QWidget>(name).isVisibleTo(frm_.get()); }
  bool Enabled(const QString& name) const { return Find<QWidget>(name).isEnabled(); }
  // From code, which raises the click handling.
  void Pick(const QString& name, int index);
  // As the user: a check box's click, a list's activated signal.
  void Click(const QString& name, int index = 0);
  // "name=shown" for every list and check box, sorted by name.
  QStringList Snapshot() const;

  // Shows a preset, or blanks the editor, as the main window does: a type
  // read from the preset is not redrawn by the host. Afterwards the user's
  // type picks redraw the editor from preset.
  bool Show(const CPreset* preset);
  bool Blank();

  RecordingHost host;

 private:
  template <class T>
  T& Find(const QString& name) const {
    auto* widget = frm_->findChild<T*>(name);
    if (!widget) qFatal("%s has no control %s", qPrintable(frm_->objectName()), qPrintable(name));
    return *widget;
  }

  std::unique_ptr<BlockEditor> frm_;
};
