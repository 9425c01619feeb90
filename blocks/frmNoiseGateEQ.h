// The noise gate and EQ block's editor (block 1): the gate, whose switch is
// the block's on/off, and a three-band EQ with a switch of its own that is
// stored the other way round (1 = on). No type list.
#pragma once

#include "BlockEditor.h"

class frmNoiseGateEQ final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmNoiseGateEQ(QWidget* parent = nullptr);

 protected:
  void Clicked(QWidget& control, ControlRole role) override;
};
