// One block editor set up and shown under a recording host, with the look-ups
// the typed editors' tests share: a control's text, caption, visibility and
// enabled state by objectName, and picking a list item as the user would.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "CPreset.h"
#include "RecordingHost.h"
#include "Selection.h"

template <class Editor>
class EditorProbe {
 public:
  EditorProbe() {
    frm.Setup(host);
    frm.show();
    host.Clear();
  }

  QComboBox& List(const char* name) const { return Find<QComboBox>(name); }
  QCheckBox& Check(const char* name) const { return Find<QCheckBox>(name); }
  QString Text(const char* name) const { return List(name).currentText(); }
  QString Caption(const char* name) const { return Find<QLabel>(name).text(); }
  bool Shows(const char* name) const { return Find<QWidget>(name).isVisibleTo(&frm); }
  bool Enabled(const char* name) const { return Find<QWidget>(name).isEnabled(); }
  void Pick(const char* name, int index) { SelectListIndex(List(name), index); }

  // Shows a preset, or blanks the editor, as the main window does: a type
  // read from the preset is not redrawn by the host. Afterwards the user's
  // type picks redraw the editor from preset.
  bool Show(const CPreset* preset) {
    host = RecordingHost();
    const bool ok = frm.Scatter(preset, true, true);
    host.RedrawOnTypeChange(preset);
    return ok;
  }
  bool Blank() {
    host = RecordingHost();
    return frm.Scatter(nullptr, false, true);
  }

  // A preset whose every field holds a value no editor writes, so that a
  // gathered field shows whether Gather wrote it.
  static CPreset Untouched() {
    CPreset preset;
    preset.CreateNew();
    for (int offset = 29; offset <= 609; offset += 4) preset.SetValue(offset, kUntouched);
    return preset;
  }
  static constexpr int kUntouched = 7777;

  RecordingHost host;
  Editor frm;

 private:
  template <class T>
  T& Find(const char* name) const {
    auto* widget = frm.template findChild<T*>(name);
    if (!widget) qFatal("no control %s", name);
    return *widget;
  }
};
