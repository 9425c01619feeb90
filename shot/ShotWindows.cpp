#include "ShotWindows.h"

#include <algorithm>

#include "ControllerShot.h"
#include "FrameShot.h"
#include "OverviewShot.h"
#include "UiShots.h"
#include "frmChorusFlange.h"
#include "frmCompressor.h"
#include "frmDelay.h"
#include "frmFilterMod.h"
#include "frmLevelRelay.h"
#include "frmNoiseGateEQ.h"
#include "frmPitch.h"
#include "frmReverb.h"
#include "frmRouting.h"
#include "frmTapTempo.h"

namespace {

const ShotEntry kWindows[] = {
    {"frmCompressor", MakeEditorShot<frmCompressor>},
    {"frmFilterMod", MakeEditorShot<frmFilterMod>},
    {"frmPitch", MakeEditorShot<frmPitch>},
    {"frmDelay", MakeEditorShot<frmDelay>},
    {"frmNoiseGateEQ", MakeEditorShot<frmNoiseGateEQ>},
    {"frmLevelRelay", MakeEditorShot<frmLevelRelay>},
    {"frmChorusFlange", MakeEditorShot<frmChorusFlange>},
    {"frmReverb", MakeEditorShot<frmReverb>},
    {"frmRouting", MakeEditorShot<frmRouting>},
    {"frmTapTempo", MakeEditorShot<frmTapTempo>},
    {"pictToolbar", MakeShot<ToolbarShot>},
    {"dlgModifiers", MakeShot<ModifiersShot>},
    {"frmAbout", MakeShot<FixedShot<frmAbout>>},
    {"frmSplash", MakeShot<FixedShot<frmSplash>>},
    {"frmMDIMain", MakeShot<FrameShot>},
    {"frmOverview", MakeShot<OverviewShot>},
    {"dlgController", MakeControllerShot},
};

}  // namespace

std::span<const ShotEntry> ShotWindows() { return kWindows; }

const ShotEntry* FindShotWindow(std::string_view name) {
  const auto it = std::find_if(std::begin(kWindows), std::end(kWindows),
                               [&](const ShotEntry& e) { return name == e.name; });
  return it == std::end(kWindows) ? nullptr : it;
}
