#include "frmDelay.h"

#include <QComboBox>

#include "CurvePictures.h"

namespace {

using namespace Looks;

// In the order Setup fills them, in a grid of seven rows by three columns.
// Width and the second tempo share a place (the tempo's until a type says
// otherwise), as do the ducking lists and the pans. The pans mark the preset changed like every other list: a pan is as
// much an edit as any other value, and an edit the window does not report
// would be lost without the question about unsaved changes.
constexpr Control kControls[] = {
    OnOffCheck("chkDelayOnOff"),
    TypeList("cmbDelayType", 1, 0),
    ListControl("cmbDelayTime1", "Time 1", 2, 0),
    ListControl("cmbDelayTime2", "Time 2", 3, 0),
    ListControl("cmbDelayTempo1", "Tempo 1", 4, 0),
    ListControl("cmbDelayWidth", "Tempo 2", 5, 0).Label("lblDelayTempo2"),
    ListControl("cmbDelayTempo2", "", 5, 0).InFront(),
    ListControl("cmbDelayFB1", "Feedback", 6, 0),
    ListControl("cmbDelayFB2", "Feedback", 7, 0),
    ListControl("cmbDelayFBHiCut", "FB Hi Cut", 1, 1),
    ListControl("cmbDelayFBLoCut", "FB Lo Cut", 2, 1),
    ListControl("cmbDelayOffset", "Offset", 3, 1),
    ListControl("cmbDelaySens", "Sensitivity", 4, 1),
    ListControl("cmbDelayDamping", "Damping", 5, 1),
    ListControl("cmbDelayRelease", "Release", 6, 1),
    ListControl("cmbDelayMix", "Mix", 1, 2),
    ListControl("cmbDelayOut", "Out level", 2, 2),
    ListControl("cmbDelayPan1", "", 3, 1),
    ListControl("cmbDelayPan2", "", 4, 1),
};

// The delay's own lists down the left, its filters and ducking above the
// levels, the repeats beside them all.
constexpr Section kSections[] = {
    //                        rows    columns  place
    {"Delay",                {0, 7}, {0, 0},  {0, 0, 2}},
    {"Filters and ducking",  {1, 6}, {1, 1},  {0, 1}},
    {"Output",               {1, 2}, {2, 2},  {1, 1}},
};

constexpr int kZeroDb = 50;  // cmbDelaySens: -50 .. 0 dB

// The fields every type shows, read with bAll.
constexpr Field kFields[] = {
    Read("chkDelayOnOff"),
    Read("cmbDelayType"),
    Read("cmbDelayTime1"),
    Read("cmbDelayTime2"),
    Read("cmbDelayTempo1"),
    Read("cmbDelayFB1"),
    Read("cmbDelayFB2"),
    Read("cmbDelayFBHiCut"),
    Read("cmbDelayFBLoCut"),
    Read("cmbDelayDamping"),
    Read("cmbDelayRelease"),
    Read("cmbDelayMix"),
    Read("cmbDelayOut"),  // index 100 is 0 dB
};

// Without a preset every list, the type-dependent ones included, shows its
// neutral value; the width keeps what it showed.
constexpr Field kNeutral[] = {
    Read("chkDelayOnOff"),   Read("cmbDelayType"),    Read("cmbDelayTime1"),   Read("cmbDelayTime2"),
    Read("cmbDelayTempo1"),  Read("cmbDelayTempo2"),  Read("cmbDelayFB1"),     Read("cmbDelayFB2"),
    Read("cmbDelayFBHiCut"), Read("cmbDelayFBLoCut"), Read("cmbDelayOffset"),  Read("cmbDelaySens"),
    Read("cmbDelayDamping"), Read("cmbDelayRelease"), Read("cmbDelayMix"),     Read("cmbDelayOut"),
    Read("cmbDelayPan1"),    Read("cmbDelayPan2"),
};

// The dynamic delay's second tempo shows the 0 its type stores; the dual
// delay's ducking lists are also disabled while hidden.
constexpr Look HD{Look::Shown::Hide, Look::Enabled::Disable};
constexpr Look kEmpty = Caption("");
constexpr Look kTime = Caption("Time");
constexpr Look kTapTempo = Caption("Tap Tempo");
constexpr Look kFeedback = Caption("Feedback");

constexpr LayoutRow kLayout[] = {
    //                    Ping Pong           Dynamic                 Dual
    {"lblDelayTime1",    {kTime,              kTime,                  Caption("Time 1")}},
    {"lblDelayTime2",    {kEmpty,             kEmpty,                 Caption("Time 2")}},
    {"lblDelayTempo1",   {kTapTempo,          kTapTempo,              Caption("Tempo 1")}},
    {"lblDelayTempo2",   {Caption("Width"),   kEmpty,                 Caption("Tempo 2")}},
    {"cmbDelayTempo2",   {H,                  D.At(0),                C}},
    {"cmbDelayWidth",    {C,                  H,                      H}},
    {"lblDelayFB1",      {kFeedback,          kFeedback,              Caption("Feedback 1")}},
    {"lblDelayFB2",      {kEmpty,             kEmpty,                 Caption("Feedback 2")}},
    {"lblDelayOffset",   {kEmpty,             Caption("Offset"),      Caption("Pan1")}},
    {"cmbDelayOffset",   {C,                  C,                      HD}},
    {"cmbDelayPan1",     {H,                  H,                      C}},
    {"lblDelaySens",     {kEmpty,             Caption("Sensitivity"), Caption("Pan2")}},
    {"cmbDelaySens",     {C,                  C,                      HD.At(kZeroDb)}},
    {"cmbDelayPan2",     {H,                  H,                      C}},
    {"lblDelayDamping",  {kEmpty,             Caption("Damping"),     kEmpty}},
    {"lblDelayRelease",  {kEmpty,             Caption("Release"),     kEmpty}},
};

constexpr Field kPingPongValues[] = {Read("cmbDelayWidth")};
constexpr Field kDynamicValues[] = {
    Read("cmbDelayOffset"),
    Read("cmbDelaySens"),
    Read("cmbDelayDamping"),
    Read("cmbDelayRelease"),
};
constexpr Field kDualValues[] = {
    Read("cmbDelayTempo2"),
    Read("cmbDelayFB2"),
    Read("cmbDelayPan1"),
    Read("cmbDelayPan2"),
};
constexpr std::span<const Field> kValues[] = {kPingPongValues, kDynamicValues, kDualValues};

constexpr EditorSpec kSpec{
    .name = "frmDelay",
    .title = "Delay block",
    .controls = kControls,
    .fields = kFields,
    .neutral = kNeutral,
    .types = {kLayout, kValues},
    .sections = kSections,
};

}  // namespace

// The repeats on a time line beside the lists.
frmDelay::frmDelay(QWidget* parent) : BlockEditor(kSpec, parent) {
  const DelayTapsPicture::Voice first{&ListNamed("cmbDelayTime1"), &ListNamed("cmbDelayFB1"), &ListNamed("cmbDelayTempo1")};
  const DelayTapsPicture::Voice second{&ListNamed("cmbDelayTime2"), &ListNamed("cmbDelayFB2"),
                                       &ListNamed("cmbDelayTempo2")};
  AddPicture(*new DelayTapsPicture(ListNamed("cmbDelayType"), {first, second}), "Repeats", {0, 2, 2});
}
