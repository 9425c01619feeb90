#include "frmReverb.h"

#include <QComboBox>

#include "Selection.h"

namespace {

constexpr int kDecayNotZero = 1;  // 0.1 sec: the device takes no decay of 0.0 sec

// Time and size down the first column, the colours in the second, levels in the third.
constexpr Control kControls[] = {
    OnOffCheck("chkReverbOnOff"),
    TypeList("cmbRevType", 1, 0),
    ListControl("cmbRevDecay", "Decay", 2, 0).InLocale(),
    ListControl("cmbRevPreDelay", "Pre delay", 3, 0),
    ListControl("cmbRevShape", "Shape", 4, 0),
    ListControl("cmbRevSize", "Size", 5, 0),
    ListControl("cmbRevHiColor", "Hi Color", 1, 1),
    ListControl("cmbRevHiFactor", "Hi Factor", 2, 1),
    ListControl("cmbRevLoColor", "Lo Color", 3, 1),
    ListControl("cmbRevLoFactor", "Lo Factor", 4, 1),
    ListControl("cmbRevRoomLevel", "Room Level", 1, 2),
    ListControl("cmbRevLevel", "Rev Level", 2, 2),
    ListControl("cmbRevDiffuse", "Diffuse", 5, 1),
    ListControl("cmbRevMix", "Mix", 3, 2),
    ListControl("cmbRevOut", "Out level", 4, 2),
};

constexpr Section kSections[] = {
    //              rows    columns  place
    {"Reverb",     {0, 5}, {0, 0},  {0, 0}},
    {"Colour",     {1, 5}, {1, 1},  {0, 1}},
    {"Levels",     {1, 4}, {2, 2},  {0, 2}},
};

// Read and set neutral in this order.
constexpr Field kFields[] = {
    Read("chkReverbOnOff"),
    Read("cmbRevType"),
    Read("cmbRevDecay"),  // tenths of a second
    Read("cmbRevPreDelay"),
    Read("cmbRevShape"),
    Read("cmbRevSize"),
    Read("cmbRevHiColor"),
    Read("cmbRevHiFactor"),
    Read("cmbRevLoColor"),
    Read("cmbRevLoFactor"),
    Read("cmbRevRoomLevel"),
    Read("cmbRevLevel"),
    Read("cmbRevDiffuse"),
    Read("cmbRevMix"),
    Read("cmbRevOut"),  // a stored level that fits no item shows -100 dB
};

constexpr EditorSpec kSpec{
    .name = "frmReverb",
    .title = "Reverb block",
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .sections = kSections,
};

}  // namespace

frmReverb::frmReverb(QWidget* parent) : BlockEditor(kSpec, parent) {}

void frmReverb::Clicked(QWidget& control, ControlRole role) {
  BlockEditor::Clicked(control, role);
  // Selecting from code clicks again, so the neutral value and a stored 0
  // both end on 0.1 sec.
  auto& decay = ListNamed("cmbRevDecay");
  if (&control == &decay && decay.currentIndex() == 0) SelectListIndex(decay, kDecayNotZero);
}
