// lindel-shot's views of the frame's own windows: the block toolbar, the
// modifiers dialog, and the About and splash windows.
#pragma once

#include <QCursor>
#include <QString>
#include <memory>

#include "BlockTable.h"
#include "BlockToolbar.h"
#include "CPreset.h"
#include "ShotWindows.h"
#include "dlgModifiers.h"
#include "frmAbout.h"
#include "frmSplash.h"

// The toolbar as the main window keeps it: lamps from the on/off fields, the
// preset's routing and tap tempo, SEND enabled. Without a preset: every lamp
// off, the blank routing picture, SEND disabled.
class ToolbarShot final : public ShotWindow {
 public:
  QWidget& Widget() override { return toolbar_; }
  bool Show(const CPreset* preset) override {
    // The offscreen platform starts with the pointer over the first element,
    // which would show it highlighted.
    QCursor::setPos(-100, -100);
    for (int block = 1; block <= static_cast<int>(BlockNumber::TapTempo); ++block) {
      const auto number = static_cast<BlockNumber>(block);
      const int field = BlockOnOffField(number);
      if (field != kNoOffset) toolbar_.SetBlockOn(number, preset && preset->Value(field) == 0);
    }
    toolbar_.UpdateRoutingDisplay(preset ? preset->Routing() : kNoRoutingPicture);
    if (preset) toolbar_.SetTapTempoSpeed(QString::number(preset->Value(Offset::TapTempo)));
    toolbar_.SetSendEnabled(preset != nullptr);
    return true;
  }
  bool Gather(CPreset&) override { return true; }

 private:
  BlockToolbar toolbar_;
};

// The dialog edits its own copy of the preset; Gather hands back the
// assignments as SaveModifiers writes them.
class ModifiersShot final : public ShotWindow {
 public:
  QWidget& Widget() override { return dialog_; }
  bool Show(const CPreset* preset) override {
    if (preset) {
      preset_ = *preset;
    } else {
      preset_.CreateNew();
    }
    dialog_.Init(preset_, true, true, true, true, true);
    return true;
  }
  bool Gather(CPreset& preset) override {
    preset = preset_;
    preset.SaveModifiers();
    return true;
  }

 private:
  CPreset preset_;
  dlgModifiers dialog_;
};

// A window that shows no preset.
template <class Window>
class FixedShot final : public ShotWindow {
 public:
  QWidget& Widget() override { return window_; }
  bool Show(const CPreset*) override { return true; }
  bool Gather(CPreset&) override { return true; }

 private:
  Window window_;
};

template <class Shot>
std::unique_ptr<ShotWindow> MakeShot() {
  return std::make_unique<Shot>();
}
