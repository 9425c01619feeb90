#include "frmPitch.h"

#include <QComboBox>

#include "CPreset.h"
#include "Dialogs.h"
#include "Selection.h"

namespace {

using namespace Looks;

enum PitchType { kDetune, kWhammy, kOctaver, kShifter };

constexpr int kOneOctave = 1;        // cmbPitchRange: "0", "1 Oct", "2 Oct"
constexpr int kDetuneDelayMax = 50;  // ms, also the list position
constexpr int kZero = 100;           // lists of -100 .. 0 or -100 .. 100

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

// The fields every type shows: read with bAll, and set to their neutral
// values without a preset.
constexpr Field kFields[] = {
    Read("chkPitchOnOff"),
    Read("cmbPitchType"),
    Read("cmbPitchRange"),
    Read("cmbPitchD1"),
    Read("cmbPitchD2"),
    Read("cmbPitchFB1"),
    Read("cmbPitchFB2"),
    Read("cmbPitchMix"),
    Read("cmbPitchOut"),
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
    {"cmbPitchVL",              {C,                  D,                D,           H}},
    {"cmbPitchVR",              {C,                  D,                D,           H}},
    {"cmbPitchV1",              {H,                  H,                H,           C}},
    {"cmbPitchV2",              {H,                  H,                H,           C}},
    {"cmbPitchWhammyRange",     {D,                  C,                D,           H}},
    {"cmbPitchLevel1",          {H,                  H,                H,           C}},
    {"cmbPitchWhammyDirection", {H,                  C,                C,           H}},
    {"cmbPitchLevel2",          {D,                  H,                H,           C}},
};

// Set after the layout: read from the preset, or the neutral value without
// one. The lists a type shows but has no field in show "no effect"; the
// whammy's and octaver's range is ShowOctaveRange's.
constexpr Field kDetuneValues[] = {
    Read("cmbPitchVL"),
    Read("cmbPitchVR"),
    SetTo("cmbPitchWhammyRange", 0),
    SetTo("cmbPitchLevel2", kZero),
};
constexpr Field kWhammyValues[] = {
    Read("cmbPitchWhammyRange"),
    Read("cmbPitchWhammyDirection"),
    SetTo("cmbPitchVL", kZero),
    SetTo("cmbPitchVR", kZero),
};
constexpr Field kOctaverValues[] = {
    Read("cmbPitchWhammyDirection"),
    SetTo("cmbPitchVL", kZero),
    SetTo("cmbPitchVR", kZero),
    SetTo("cmbPitchWhammyRange", 0),
};
constexpr Field kShifterValues[] = {
    Read("cmbPitchV1"),
    Read("cmbPitchV2"),
    Read("cmbPitchP1"),
    Read("cmbPitchP2"),
    Read("cmbPitchFB1"),
    Read("cmbPitchFB2"),
    Read("cmbPitchLevel1"),
    Read("cmbPitchLevel2"),
};
constexpr std::span<const Field> kValues[] = {kDetuneValues, kWhammyValues, kOctaverValues, kShifterValues};

constexpr EditorSpec kSpec{
    .name = "frmPitch",
    .title = "Pitch block",
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .types = {kLayout, kValues},
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
  const int32_t stored = preset ? Stored(*preset, "cmbPitchRange") : 0;
  SelectListIndex(range, stored >= kOneOctave && stored < range.count() ? stored : kOneOctave);
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
