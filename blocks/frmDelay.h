// The delay block's editor (block 7): ping pong, dynamic and dual delays.
// Three offsets change meaning with the type (width or second tempo, ducking
// offset and sensitivity or the two taps' pans), and the window relabels,
// hides and disables its controls to match.
#pragma once

#include "BlockEditor.h"

class frmDelay final : public BlockEditor {
  Q_OBJECT

 public:
  explicit frmDelay(QWidget* parent = nullptr);
};
