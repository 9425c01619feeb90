// What a block editor asks of the window that hosts it. The main window
// implements it; tests use a recording fake.
#pragma once

#include <QPoint>
#include <QString>

#include "PresetLayout.h"

class BlockEditor;
class QWidget;

class IBlockHost {
 public:
  virtual ~IBlockHost() = default;
  // Any parameter changed by a click (true), or the edits were saved (false).
  virtual void SetFormDirty(bool bDirty) = 0;
  virtual void BlockOnOffChanged() = 0;
  // The type list was clicked; the host redraws the editor for the new type.
  virtual void SubTypeChanged(BlockEditor& frm) = 0;
  // A mouse button was released over the editor's background at pos.
  virtual void DoRightMouseMenu(BlockNumber iBlock, Qt::MouseButton button, QPoint pos) = 0;
  // Places and sizes an editor inside the host; called by Setup.
  virtual void SizeForm(QWidget& frm) = 0;
  // Redraws the blocks' on/off lamps.
  virtual void ToggleButtons() = 0;
  virtual void UpdateRoutingDisplay(int iRouting) = 0;
  // sSpeed: the tap tempo list's text, read as whole milliseconds.
  virtual void SetTapTempoSpeed(const QString& sSpeed) = 0;
};

// A host that does nothing, for an editor shown on its own (a screenshot, a
// benchmark) that nothing reacts to.
class QuietBlockHost final : public IBlockHost {
 public:
  void SetFormDirty(bool) override {}
  void BlockOnOffChanged() override {}
  void SubTypeChanged(BlockEditor&) override {}
  void DoRightMouseMenu(BlockNumber, Qt::MouseButton, QPoint) override {}
  void SizeForm(QWidget&) override {}
  void ToggleButtons() override {}
  void UpdateRoutingDisplay(int) override {}
  void SetTapTempoSpeed(const QString&) override {}
};
