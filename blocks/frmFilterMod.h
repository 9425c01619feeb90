// The filter/modulation block's editor (block 4): six types (auto resonance,
// resonance, two phasers, tremolo, panner). Several offsets mean a different
// parameter per type, so one place in the window holds a different list,
// caption or enabled state for each type.
#pragma once

#include "BlockEditor.h"

class frmFilterMod final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmFilterMod(QWidget* parent = nullptr);
};
