// A host window for block editors in tests: records every call as text
// ("SetFormDirty(1)", "SubTypeChanged(frmFilterMod)", ...), passes the
// routing and tap tempo on where a test wants them (the toolbar, a refusal),
// and optionally redraws an editor whose type was clicked, as the main
// window does.
#pragma once

#include <QStringList>
#include <functional>

#include "IBlockHost.h"

class CPreset;

class RecordingHost final : public IBlockHost {
 public:
  void SetFormDirty(bool bDirty) override;
  void BlockOnOffChanged() override;
  void SubTypeChanged(BlockEditor& frm) override;
  void DoRightMouseMenu(BlockNumber iBlock, Qt::MouseButton button, QPoint pos) override;
  void SizeForm(QWidget& frm) override;
  void ToggleButtons() override;
  void UpdateRoutingDisplay(int iRouting) override;
  void SetTapTempoSpeed(const QString& sSpeed) override;

  // From now on SubTypeChanged runs Scatter(preset, true, false) on the
  // editor (or, redraw false, nothing more).
  void RedrawOnTypeChange(const CPreset* preset, bool redraw = true);
  const QStringList& Calls() const { return calls_; }
  int Count(const QString& call) const { return static_cast<int>(calls_.count(call)); }
  void Clear() { calls_.clear(); }

  std::function<void(int)> routing;
  std::function<void(const QString&)> tapTempo;

 private:
  QStringList calls_;
  bool redraw_ = false;
  const CPreset* preset_ = nullptr;
};
