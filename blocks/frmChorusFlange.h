// The chorus/flanger block's editor (block 6): five modulation types that keep
// every parameter at a fixed offset; a type only enables, disables and resets
// the controls it does not use.
#pragma once

#include "BlockEditor.h"

class frmChorusFlange final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmChorusFlange(QWidget* parent = nullptr);

 protected:
  void Clicked(QWidget& control, ControlRole role) override;
};
