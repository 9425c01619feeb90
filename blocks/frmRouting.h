// The order in which the effect blocks are connected (block 9): serial,
// semi-parallel or parallel. Every choice, also one made from code, redraws
// the host's routing display. Kept in the routing word, so it goes through
// the preset's accessor. No on/off and no type.
#pragma once

#include "BlockEditor.h"

class frmRouting final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmRouting(QWidget* parent = nullptr);

 protected:
  void ScatterShown(const CPreset* preset, bool bAll) override;
  void GatherFields(CPreset& preset) override;
  void Clicked(QWidget& control, ControlRole role) override;
};
