// The preset's output level and its two relay switches (block 2). They live
// in the routing word, so they go through the preset's accessors rather than
// the field tables. No on/off and no type.
#pragma once

#include "BlockEditor.h"

class frmLevelRelay final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmLevelRelay(QWidget* parent = nullptr);

 protected:
  void ScatterShown(const CPreset* preset, bool bAll) override;
  void GatherFields(CPreset& preset) override;
};
