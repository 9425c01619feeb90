#include "frmChorusFlange.h"

#include <QComboBox>

#include "Selection.h"

namespace {

using namespace Looks;

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

// (control, offset, default index, neutral index), read and set neutral in
// this order. Offsets 405 to 413 are unused.
constexpr Field kFields[] = {
    OnOffField("chkChorusOnOff", 417),
    ByIndex("cmbChorusType", 357, 0, 0),
    ByIndex("cmbChorusSpeed", 361, 0, 0),
    ByIndex("cmbChorusDepth", 365, 0, 0),
    ByIndex("cmbChorusTempo", 369, 0, 0),
    ByIndex("cmbChorusHiCut", 373, 60, 60),             // "Off"
    ByItemData("cmbChorusFlangerFB", 377, 0, 100),      // neutral: 0
    ByIndex("cmbChorusFlaFBHiCut", 381, 60, 60),
    ByIndex("cmbChorusDelay", 385, kDelayNotZero, 0),   // tenths of a millisecond
    CheckField("chkChorusGoldRatio", 389),
    CheckField("chkChorusPhaseRev", 393),
    ByIndex("cmbChorusMix", 397, 100, 100),
    ByItemData("cmbChorusOut", 401, 0, 100),            // neutral: 0 dB
};

constexpr Field kGather[] = {
    OnOffField("chkChorusOnOff", 417),
    ByIndex("cmbChorusType", 357, 0, 0),
    ByIndex("cmbChorusSpeed", 361, 0, 0),
    ByIndex("cmbChorusDepth", 365, 0, 0),
    ByIndex("cmbChorusTempo", 369, 0, 0),
    ByIndex("cmbChorusHiCut", 373, 0, 0),
    ByItemData("cmbChorusFlangerFB", 377, 0, 0),
    ByIndex("cmbChorusFlaFBHiCut", 381, 0, 0),
    ByIndex("cmbChorusMix", 397, 0, 0),
    ByItemData("cmbChorusOut", 401, 0, 0),
    ByIndex("cmbChorusDelay", 385, 0, 0),
    CheckField("chkChorusGoldRatio", 389),
    CheckField("chkChorusPhaseRev", 393),
};

// The flanger controls belong to the flangers; the choruses and the vibrato
// leave them at 0 and "Off". Only the advanced types set delay and switches.
constexpr LayoutRow kLayout[] = {
    //                        Classic Cho  Adv Chorus  Classic Fla  Adv Flange  Vibrator
    {"cmbChorusFlangerFB",  {D.At(100),  D.At(100), E,           E,          D.At(100)}},
    {"cmbChorusFlaFBHiCut", {D.At(60),   D.At(60),  E,           E,          D.At(60)}},
    {"cmbChorusDelay",      {D.At(1),    E,         D,           E,          E}},
    {"chkChorusGoldRatio",  {D.At(0),    E,         D.At(0),     E,          D.At(0)}},
    {"chkChorusPhaseRev",   {D.At(0),    E,         D.At(0),     E,          D.At(0)}},
    {"cmbChorusMix",        {E,          E,         E,           E,          D.At(100)}},
};

constexpr EditorSpec kSpec{
    .name = "frmChorusFlange",
    .title = "Chorus/Flanger block",
    .block = BlockNumber::ChorusFlange,
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .gather = kGather,
    .types = {.layout = kLayout, .values = {}, .gather = {}},
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
