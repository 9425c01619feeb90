#include "frmChorusFlange.h"

#include <QComboBox>

#include "Selection.h"

namespace {

constexpr int kDelayNotZero = 1;  // 0.1 ms: the device takes no delay of 0.0 ms

constexpr Control kControls[] = {
    OnOffCheck("chkChorusOnOff"),
    TypeList("cmbChorusType", 1, 0),
    ListControl("cmbChorusSpeed", "Speed", 2, 0),
    ListControl("cmbChorusDepth", "Depth", 3, 0),
    ListControl("cmbChorusTempo", "Tempo", 4, 0),
    ListControl("cmbChorusHiCut", "Hi Cut filter", 1, 1),
    ListControl("cmbChorusFlangerFB", "Flanger Feedback", 2, 1),
    ListControl("cmbChorusFlaFBHiCut", "Fla FB Hi Cut", 3, 1),
    ListControl("cmbChorusDelay", "Delay", 5, 0).InLocale(),
    ListControl("cmbChorusMix", "Mix", 1, 2),
    ListControl("cmbChorusOut", "Out level", 2, 2),
    CheckControl("chkChorusPhaseRev", "Phase Reverse", 4, 1),
    CheckControl("chkChorusGoldRatio", "Gold Ratio", 5, 1),
};

constexpr Section kSections[] = {
    //                       rows    columns  place
    {"Modulation",          {0, 5}, {0, 0},  {0, 0}},
    {"Filter and feedback", {1, 5}, {1, 1},  {0, 1}},
    {"Output",              {1, 2}, {2, 2},  {0, 2}},
};

// Read and set neutral in this order. What each type shows of the flanger's controls, the delay and the
// switches is the catalog's.
constexpr Field kFields[] = {
    Read("chkChorusOnOff"),
    Read("cmbChorusType"),
    Read("cmbChorusSpeed"),
    Read("cmbChorusDepth"),
    Read("cmbChorusTempo"),
    Read("cmbChorusHiCut"),
    Read("cmbChorusFlangerFB"),
    Read("cmbChorusFlaFBHiCut"),
    Read("cmbChorusDelay"),  // tenths of a millisecond
    Read("chkChorusGoldRatio"),
    Read("chkChorusPhaseRev"),
    Read("cmbChorusMix"),
    Read("cmbChorusOut"),
};

constexpr EditorSpec kSpec{
    .name = "frmChorusFlange",
    .title = "Chorus/Flanger block",
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .sections = kSections,
};

}  // namespace

frmChorusFlange::frmChorusFlange(QWidget* parent) : BlockEditor(kSpec, parent) {}

void frmChorusFlange::Clicked(QWidget& control, ControlRole role) {
  BlockEditor::Clicked(control, role);
  // Selecting from code clicks again, so the neutral value and a stored 0
  // both end on 0.1 ms.
  auto& delay = ListNamed("cmbChorusDelay");
  if (&control == &delay && delay.currentIndex() == 0) SelectListIndex(delay, kDelayNotZero);
}
