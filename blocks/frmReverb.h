// The reverb block's editor (block 8): four types that share every control,
// so a type change redraws nothing. The decay never stays at zero.
#pragma once

#include "BlockEditor.h"

class frmReverb final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmReverb(QWidget* parent = nullptr);

 protected:
  void Clicked(QWidget& control, ControlRole role) override;
};
