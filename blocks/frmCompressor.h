// The compressor block's editor (block 3): on/off, ratio, threshold, attack,
// release and gain. No type list, so it has no SubType.
#pragma once

#include "BlockEditor.h"

class frmCompressor final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmCompressor(QWidget* parent = nullptr);
};
