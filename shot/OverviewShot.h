// lindel-shot's view of the overview: every card drawn from the preset, or
// from a new preset's values when there is none.
#pragma once

#include "CPreset.h"
#include "ShotWindows.h"
#include "frmOverview.h"

class OverviewShot final : public ShotWindow {
 public:
  QWidget& Widget() override { return overview_; }
  bool Show(const CPreset* preset) override {
    CPreset shown;
    if (preset) {
      shown = *preset;
    } else {
      shown.CreateNew();
    }
    overview_.Show(shown.Image());
    return true;
  }
  bool Gather(CPreset&) override { return true; }

 private:
  frmOverview overview_;
};
