// The pitch block's editor (block 5): detune, whammy, octaver and shifter
// share one set of lists and preset fields. A type relabels, shows, hides and
// disables the lists and gives the ones it does not use fixed values. Detune
// allows delays of 50 ms at most.
#pragma once

#include "BlockEditor.h"

class frmPitch final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmPitch(QWidget* parent = nullptr);

 protected:
  void ScatterTypeValues(int type, const CPreset* preset) override;
  void Clicked(QWidget& control, ControlRole role) override;

 private:
  void ShowOctaveRange(const CPreset* preset);
  void LimitDetuneDelay(QComboBox& delay);

  QComboBox& delay1_;
  QComboBox& delay2_;
};
