// The preset's tap tempo in milliseconds (block 11). Every choice, also one
// made from code, sets the host's tap light to the chosen interval. No on/off
// and no type.
#pragma once

#include "BlockEditor.h"

class frmTapTempo final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmTapTempo(QWidget* parent = nullptr);

 protected:
  void Clicked(QWidget& control, ControlRole role) override;
};
