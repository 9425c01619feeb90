#include "RecordingHost.h"

#include "BlockEditor.h"

void RecordingHost::SetFormDirty(bool bDirty) { calls_ << QString("SetFormDirty(%1)").arg(bDirty); }

void RecordingHost::BlockOnOffChanged() { calls_ << "BlockOnOffChanged"; }

void RecordingHost::SubTypeChanged(BlockEditor& frm) {
  calls_ << QString("SubTypeChanged(%1)").arg(frm.objectName());
  if (redraw_) frm.Scatter(preset_, true, false);
}

void RecordingHost::DoRightMouseMenu(BlockNumber iBlock, Qt::MouseButton button, QPoint pos) {
  calls_ << QString("DoRightMouseMenu(%1,%2,%3,%4)")
                .arg(static_cast<int>(iBlock))
                .arg(static_cast<int>(button))
                .arg(pos.x())
                .arg(pos.y());
}

void RecordingHost::SizeForm(QWidget& frm) { calls_ << QString("SizeForm(%1)").arg(frm.objectName()); }

void RecordingHost::ToggleButtons() { calls_ << "ToggleButtons"; }

void RecordingHost::UpdateRoutingDisplay(int iRouting) {
  calls_ << QString("UpdateRoutingDisplay(%1)").arg(iRouting);
  if (routing) routing(iRouting);
}

void RecordingHost::SetTapTempoSpeed(const QString& sSpeed) {
  calls_ << QString("SetTapTempoSpeed(%1)").arg(sSpeed);
  if (tapTempo) tapTempo(sSpeed);
}

void RecordingHost::RedrawOnTypeChange(const CPreset* preset, bool redraw) {
  redraw_ = redraw;
  preset_ = preset;
}
