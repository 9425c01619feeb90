#include "EditorProbe.h"

#include "CPreset.h"
#include "Selection.h"
#include "frmChorusFlange.h"
#include "frmCompressor.h"
#include "frmDelay.h"
#include "frmFilterMod.h"
#include "frmLevelRelay.h"
#include "frmNoiseGateEQ.h"
#include "frmPitch.h"
#include "frmReverb.h"
#include "frmRouting.h"
#include "frmTapTempo.h"

namespace {

template <class Editor>
std::unique_ptr<BlockEditor> Make() {
  return std::make_unique<Editor>();
}

}  // namespace

std::unique_ptr<BlockEditor> MakeEditor(const QString& name) {
  const std::pair<const char*, std::unique_ptr<BlockEditor> (*)()> editors[] = {
      {"frmNoiseGateEQ", Make<frmNoiseGateEQ>}, {"frmLevelRelay", Make<frmLevelRelay>},
      {"frmCompressor", Make<frmCompressor>},   {"frmFilterMod", Make<frmFilterMod>},
      {"frmPitch", Make<frmPitch>},             {"frmChorusFlange", Make<frmChorusFlange>},
      {"frmDelay", Make<frmDelay>},             {"frmReverb", Make<frmReverb>},
      {"frmRouting", Make<frmRouting>},         {"frmTapTempo", Make<frmTapTempo>},
  };
  for (const auto& [editor, make] : editors) {
    if (name == editor) return make();
  }
  qFatal("no editor %s", qPrintable(name));
}

EditorProbe::EditorProbe(std::unique_ptr<BlockEditor> editor) : frm_(std::move(editor)) {
  frm_->Setup(host);
  frm_->show();
  host.Clear();
}

QString EditorProbe::Text(const QString& name) const {
  if (auto* box = frm_->findChild<QCheckBox*>(name)) return QString::number(CheckValue(*box));
  return List(name).currentText();
}

void EditorProbe::Pick(const QString& name, int index) { SelectListIndex(List(name), index); }

void EditorProbe::Click(const QString& name, int index) {
  if (auto* box = frm_->findChild<QCheckBox*>(name)) {
    box->click();
    return;
  }
  QComboBox& list = List(name);
  list.setCurrentIndex(index);
  Q_EMIT list.activated(index);
}

QStringList EditorProbe::Snapshot() const {
  QStringList shown;
  for (const QWidget* w : frm_->findChildren<QWidget*>()) {
    if (qobject_cast<const QComboBox*>(w) || qobject_cast<const QCheckBox*>(w)) {
      shown << w->objectName() + "=" + Text(w->objectName());
    }
  }
  shown.sort();
  return shown;
}

bool EditorProbe::Show(const CPreset* preset) {
  host.RedrawOnTypeChange(nullptr, false);
  host.Clear();
  const bool ok = frm_->Scatter(preset, true, true);
  host.RedrawOnTypeChange(preset);
  return ok;
}

bool EditorProbe::Blank() {
  host.RedrawOnTypeChange(nullptr, false);
  host.Clear();
  return frm_->Scatter(nullptr, false, true);
}
