#include "frmPitch.h"

#include <QComboBox>

#include "CPreset.h"
#include "Dialogs.h"
#include "Selection.h"
#include "comboBoxUtils.h"

namespace {

using namespace Looks;

enum PitchType { kDetune, kWhammy, kOctaver, kShifter };

constexpr int kRange = 337;
constexpr int kOneOctave = 1;        // cmbPitchRange: "0", "1 Oct", "2 Oct"
constexpr int kDetuneDelayMax = 50;  // ms, also the list position
constexpr int kZero = 100;           // lists of -100 .. 0 or -100 .. 100
constexpr int kCentre = 50;          // the pans: -50 .. 50
constexpr int kShiftZero = 2400;     // the shifter voices: -2400 .. 2400

// In the order Setup fills them. The grid puts the first voice (or the left
// one) in the first column and the second (right) one beside it; the detune
// and shifter voices share a place, and so do the whammy's and the shifter's
// last two lists. The type-dependent captions start empty.
constexpr Control kControls[] = {
    OnOffCheck("chkPitchOnOff"),
    TypeList("cmbPitchType", 1, 0),
    ListControl("cmbPitchV1", "", 2, 0).Label("lblPitchV1"),
    ListControl("cmbPitchV2", "", 2, 1).Label("lblPitchV2"),
    ListControl("cmbPitchVL", "", 2, 0),
    ListControl("cmbPitchVR", "", 2, 1),
    ListControl("cmbPitchP1", "", 3, 0).Label("lblPitchP1"),
    ListControl("cmbPitchP2", "", 3, 1).Label("lblPitchP2"),
    ListControl("cmbPitchD1", "", 4, 0).Label("lblPitchD1"),
    ListControl("cmbPitchD2", "", 4, 1).Label("lblPitchD2"),
    ListControl("cmbPitchFB1", "", 5, 0).Label("lblPitchFB1"),
    ListControl("cmbPitchFB2", "", 5, 1).Label("lblPitchFB2"),
    ListControl("cmbPitchWhammyRange", "", 6, 0).Label("lblPitchRangeLevel"),
    ListControl("cmbPitchLevel1", "", 6, 0),
    ListControl("cmbPitchLevel2", "", 6, 1).Label("lblPitchDL"),
    ListControl("cmbPitchWhammyDirection", "", 6, 1),
    ListControl("cmbPitchRange", "Range", 1, 1),
    ListControl("cmbPitchMix", "Mix", 1, 2),
    ListControl("cmbPitchOut", "Out level", 2, 2),
};

// The type and its range over the two voices (or the whammy's settings),
// the levels beside them.
constexpr Section kSections[] = {
    //           rows    columns  place
    {"Pitch",   {0, 1}, {0, 1},  {0, 0}},
    {"Voices",  {2, 6}, {0, 1},  {1, 0}},
    {"Output",  {1, 2}, {2, 2},  {0, 1, 2}},
};

// The fields every type shows, as (control, offset, default index, neutral
// index): read with bAll, and set to their neutral values without a preset.
constexpr Field kFields[] = {
    OnOffField("chkPitchOnOff", 353),
    ByIndex("cmbPitchType", 293, 0, 0),
    ByIndex("cmbPitchRange", kRange, 0, 0),
    ByIndex("cmbPitchD1", 313, 0, 0),
    ByIndex("cmbPitchD2", 317, 0, 0),
    ByIndex("cmbPitchFB1", 321, 0, 0),
    ByIndex("cmbPitchFB2", 325, 0, 0),
    ByIndex("cmbPitchMix", 341, 100, 100),
    ByItemData("cmbPitchOut", 345, 0, kZero),
};

constexpr Field kGather[] = {
    OnOffField("chkPitchOnOff", 353),
    ByIndex("cmbPitchType", 293, 0, 0),
    ByItemData("cmbPitchP1", 305, 0, 0),
    ByItemData("cmbPitchP2", 309, 0, 0),
    ByIndex("cmbPitchD1", 313, 0, 0),
    ByIndex("cmbPitchD2", 317, 0, 0),
    ByIndex("cmbPitchFB1", 321, 0, 0),
    ByIndex("cmbPitchFB2", 325, 0, 0),
    ByIndex("cmbPitchRange", kRange, 0, 0),
    ByIndex("cmbPitchMix", 341, 0, 0),
    ByItemData("cmbPitchOut", 345, 0, 0),
};

constexpr Look kEmpty = Caption("");
constexpr Look kDirection = Caption("Direction");

constexpr LayoutRow kLayout[] = {
    //                           Detune              Whammy            Octaver      Shifter
    {"lblPitchV1",              {Caption("Voice L"), kEmpty,           kEmpty,      Caption("Voice 1")}},
    {"lblPitchV2",              {Caption("Voice R"), kEmpty,           kEmpty,      Caption("Voice 2")}},
    {"lblPitchP1",              {Caption("Pan L"),   kEmpty,           kEmpty,      Caption("Pan 1")}},
    {"lblPitchP2",              {Caption("Pan R"),   kEmpty,           kEmpty,      Caption("Pan 2")}},
    {"lblPitchD1",              {Caption("Delay L"), kEmpty,           kEmpty,      Caption("Delay 1")}},
    {"lblPitchD2",              {Caption("Delay R"), kEmpty,           kEmpty,      Caption("Delay 2")}},
    {"lblPitchFB1",             {kEmpty,             kEmpty,           kEmpty,      Caption("Feedback 1")}},
    {"lblPitchFB2",             {kEmpty,             kEmpty,           kEmpty,      Caption("Feedback 2")}},
    {"lblPitchRangeLevel",      {kEmpty,             Caption("Range"), kEmpty,      Caption("Level 1")}},
    {"lblPitchDL",              {kEmpty,             kDirection,       kDirection,  Caption("Level 2")}},
    {"cmbPitchVL",              {E,                  D,                D,           H}},
    {"cmbPitchVR",              {E,                  D,                D,           H}},
    {"cmbPitchV1",              {H,                  H,                H,           E}},
    {"cmbPitchV2",              {H,                  H,                H,           E}},
    {"cmbPitchP1",              {D,                  D,                D,           E}},
    {"cmbPitchP2",              {D,                  D,                D,           E}},
    {"cmbPitchD1",              {E,                  D,                D,           E}},
    {"cmbPitchD2",              {E,                  D,                D,           E}},
    {"cmbPitchFB1",             {D,                  D,                D,           E}},
    {"cmbPitchFB2",             {D,                  D,                D,           E}},
    {"cmbPitchWhammyRange",     {D,                  E,                D,           H}},
    {"cmbPitchLevel1",          {H,                  H,                H,           E}},
    {"cmbPitchWhammyDirection", {H,                  S,                S,           H}},  // never disabled
    {"cmbPitchLevel2",          {D,                  H,                H,           E}},
    {"cmbPitchRange",           {D,                  E,                E,           D}},
    {"cmbPitchMix",             {E,                  D,                E,           E}},
};

// Set after the layout: read from the preset, or the neutral value without
// one. The lists a type does not use get values that mean "no effect", and
// Gather stores them. The whammy's and octaver's range is ShowOctaveRange's.
constexpr Field kDetuneValues[] = {
    ByItemData("cmbPitchVL", 297, 0, kZero),
    ByItemData("cmbPitchVR", 301, 0, kZero),
    SetTo("cmbPitchRange", 0),
    SetTo("cmbPitchP1", 0),          // hard left
    SetTo("cmbPitchP2", kLastItem),  // hard right
    SetTo("cmbPitchWhammyRange", 0),
    SetTo("cmbPitchLevel2", kZero),
    SetTo("cmbPitchFB1", 0),
    SetTo("cmbPitchFB2", 0),
};
constexpr Field kWhammyValues[] = {
    ByIndex("cmbPitchWhammyRange", 329, 100, 100),
    ByIndex("cmbPitchWhammyDirection", 333, 1, 1),  // "Up"
    SetTo("cmbPitchD1", 0),
    SetTo("cmbPitchD2", 0),
    SetTo("cmbPitchVL", kZero),
    SetTo("cmbPitchVR", kZero),
    SetTo("cmbPitchP1", kCentre),
    SetTo("cmbPitchP2", kCentre),
    SetTo("cmbPitchFB1", 0),
    SetTo("cmbPitchFB2", 0),
    SetTo("cmbPitchMix", 100),
};
constexpr Field kOctaverValues[] = {
    ByIndex("cmbPitchWhammyDirection", 333, 1, 1),
    SetTo("cmbPitchD1", 0),
    SetTo("cmbPitchD2", 0),
    SetTo("cmbPitchVL", kZero),
    SetTo("cmbPitchVR", kZero),
    SetTo("cmbPitchP1", kCentre),
    SetTo("cmbPitchP2", kCentre),
    SetTo("cmbPitchFB1", 0),
    SetTo("cmbPitchFB2", 0),
    SetTo("cmbPitchWhammyRange", 0),
};
constexpr Field kShifterValues[] = {
    ByItemData("cmbPitchV1", 297, 0, kShiftZero),
    ByItemData("cmbPitchV2", 301, 0, kShiftZero),
    ByItemData("cmbPitchP1", 305, 0, kCentre),
    ByItemData("cmbPitchP2", 309, 0, kCentre),
    ByIndex("cmbPitchFB1", 321, 0, 0),
    ByIndex("cmbPitchFB2", 325, 0, 0),
    ByItemData("cmbPitchLevel1", 329, 0, kZero),
    ByItemData("cmbPitchLevel2", 333, 0, kZero),
    SetTo("cmbPitchRange", 0),
};
constexpr std::span<const Field> kValues[] = {kDetuneValues, kWhammyValues, kOctaverValues, kShifterValues};

// Offsets 297, 301, 329 and 333 by type; the whammy always mixes fully.
constexpr Field kDetuneGather[] = {
    ByItemData("cmbPitchVL", 297, 0, 0),
    ByItemData("cmbPitchVR", 301, 0, 0),
    Write(329, 0),
    Write(333, 0),
};
constexpr Field kWhammyGather[] = {
    Write(297, 0),
    Write(301, 0),
    ByIndex("cmbPitchWhammyRange", 329, 0, 0),
    ByIndex("cmbPitchWhammyDirection", 333, 0, 0),
    Write(341, 100),
};
constexpr Field kOctaverGather[] = {
    Write(297, 0),
    Write(301, 0),
    Write(329, 0),
    ByIndex("cmbPitchWhammyDirection", 333, 0, 0),
};
constexpr Field kShifterGather[] = {
    ByItemData("cmbPitchV1", 297, 0, 0),
    ByItemData("cmbPitchV2", 301, 0, 0),
    ByItemData("cmbPitchLevel1", 329, 0, 0),
    ByItemData("cmbPitchLevel2", 333, 0, 0),
};
constexpr std::span<const Field> kTypeGather[] = {kDetuneGather, kWhammyGather, kOctaverGather, kShifterGather};

constexpr EditorSpec kSpec{
    .name = "frmPitch",
    .title = "Pitch block",
    .block = BlockNumber::Pitch,
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .gather = kGather,
    .types = {kLayout, kValues, kTypeGather},
    .sections = kSections,
};

}  // namespace

frmPitch::frmPitch(QWidget* parent)
    : BlockEditor(kSpec, parent), delay1_(ListNamed("cmbPitchD1")), delay2_(ListNamed("cmbPitchD2")) {}

void frmPitch::ScatterTypeValues(int type, const CPreset* preset) {
  if (type == kWhammy || type == kOctaver) ShowOctaveRange(preset);
  BlockEditor::ScatterTypeValues(type, preset);
}

// The whammy and the octaver shift by one octave at least: a stored 0 shows
// "1 Oct", and so does a value no item stands for.
void frmPitch::ShowOctaveRange(const CPreset* preset) {
  QComboBox& range = ListNamed("cmbPitchRange");
  if (preset && preset->Value(kRange) >= kOneOctave) {
    SelectComboIndex(range, preset, kRange, kOneOctave);
  } else {
    SelectListIndex(range, kOneOctave);
  }
}

// A new type applies the detune limit to the delays at once. While Scatter
// reads a preset the delays are read right after the type and limited then;
// checking the previous preset's delays against the new type would only
// bring a message about values that are about to be replaced.
void frmPitch::Clicked(QWidget& control, ControlRole role) {
  if (&control == &delay1_ || &control == &delay2_) LimitDetuneDelay(static_cast<QComboBox&>(control));
  BlockEditor::Clicked(control, role);
  if (role == ControlRole::Type && !Scattering()) {
    Clicked(delay1_, ControlRole::Parameter);
    Clicked(delay2_, ControlRole::Parameter);
  }
}

void frmPitch::LimitDetuneDelay(QComboBox& delay) {
  if (SubType() != kDetune || delay.currentIndex() <= kDetuneDelayMax) return;
  SelectListIndex(delay, kDetuneDelayMax);
  ShowMessage("The delay setting for Detune can only be 0 to 50 ms");
}
