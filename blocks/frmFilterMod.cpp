#include "frmFilterMod.h"


namespace {

using namespace Looks;

// In the order Setup fills them. The grid has five rows by three columns;
// freq max / tap tempo and the two hi-cut lists share a place each.
constexpr Control kControls[] = {
    OnOffCheck("chkFiltOnOff"),
    TypeList("cmbFiltType", 1, 0),
    ListControl("cmbFiltOrder", "Order", 2, 0),
    ListControl("cmbFiltSens", "Sensitivity", 3, 0),
    ListControl("cmbFiltResp", "Response", 4, 0),
    ListControl("cmbPhaseSpeed", "Phase Speed", 1, 1),
    ListControl("cmbPhaseDepth", "Phase Depth", 2, 1),
    ListControl("cmbFiltFreqMax", "(not used)", 5, 0).Label("lblFreqTempo"),
    ListControl("cmbFiltTapTempo", "", 5, 0),
    ListControl("cmbTremType", "Tremelo Type", 1, 2),
    ListControl("cmbPhaseFB", "Phase Feedback", 3, 1),
    ListControl("cmbPhaseRange", "Phase Range", 4, 1),
    ListControl("cmbFiltResHiCut", "(not used)", 2, 2).Label("lblFiltHiCut"),
    ListControl("cmbFiltTremHiCut", "", 2, 2),
    ListControl("cmbFiltResPulse", "(not used)", 3, 2),
    ListControl("cmbFiltMix", "Mix", 4, 2),
    ListControl("cmbFiltOut", "Out level", 5, 2),
    CheckControl("chkPhaseReverse", "Phase Reverse", 5, 1),
};

// The filter and the modulation side by side, the tremolo's and the
// resonance's own lists above the levels.
constexpr Section kSections[] = {
    //                        rows    columns  place
    {"Filter",               {0, 5}, {0, 0},  {0, 0, 2}},
    {"Modulation",           {1, 5}, {1, 1},  {0, 1, 2}},
    {"Tremolo and resonance", {1, 3}, {2, 2}, {0, 2}},
    {"Output",               {4, 5}, {2, 2},  {1, 2}},
};

// The fields every type shows: read with bAll, and set to their neutral
// values without a preset.
constexpr Field kFields[] = {
    Read("chkFiltOnOff"),
    Read("cmbFiltType"),
    Read("cmbFiltOrder"),
    Read("cmbFiltSens"),
    Read("cmbFiltResp"),
    Read("cmbPhaseSpeed"),
    Read("cmbPhaseDepth"),
    Read("cmbTremType"),
    Read("cmbPhaseRange"),
    Read("chkPhaseReverse"),
    Read("cmbFiltResPulse"),
    Read("cmbFiltMix"),
    Read("cmbFiltOut"),  // index 100 is 0 dB
};

// A phaser, tremolo or panner reuses the speed and depth lists; the resonance
// types leave their captions as the last such type set them, and the panner
// leaves the feedback caption.
constexpr Look kEmpty = Caption("");
constexpr Look kFreqMax = Caption("Freq Max");
constexpr Look kTapTempo = Caption("Tap Tempo");
constexpr Look kPhaseFB = Caption("Phase FB");
constexpr Look kFiltHiCut = Caption("Filt HiCut");
constexpr Look kFiltRes = Caption("Filt Res");

constexpr LayoutRow kLayout[] = {
    //                    Auto Res    Resonan     VinPhas     SmthPhas    Tremolo     Panner
    {"lblFreqTempo",     {kFreqMax,   kFreqMax,   kTapTempo,  kTapTempo,  kTapTempo,  kTapTempo}},
    {"cmbFiltFreqMax",   {C,          C,          H,          H,          H,          H}},
    {"cmbFiltTapTempo",  {H,          H,          C,          C,          C,          C}},
    {"lblPhaseSpeed",    {K,          K,          Caption("Phase Speed"), Caption("Phase Speed"),
                                                                          Caption("TRM Speed"), Caption("PAN Speed")}},
    {"lblPhaseDepth",    {K,          K,          Caption("Phase Depth"), Caption("Phase Depth"),
                                                                          Caption("TRM Depth"), Caption("PAN Width")}},
    {"lblPhaseFB",       {kPhaseFB,   kPhaseFB,   kPhaseFB,   kPhaseFB,   Caption("PWidth"), K}},
    {"lblFiltHiCut",     {kFiltHiCut, kFiltHiCut, kEmpty,     kEmpty,     Caption("TRM HiCut"), kEmpty}},
    {"cmbFiltResHiCut",  {C,          C,          H,          H,          H,          H}},
    {"cmbFiltTremHiCut", {H,          H,          D,          D,          C,          D}},
    {"lblFiltResPulse",  {kFiltRes,   kFiltRes,   kEmpty,     kEmpty,     kEmpty,     kEmpty}},
};

// Set after the layout: read from the preset, or the neutral value without
// one. The types without a hi cut show the tremolo's as "Off".
constexpr int kHiCutOff = 60;  // cmbFiltTremHiCut: "Off"
constexpr Field kAutoResValues[] = {
    Read("cmbFiltFreqMax"),
    Read("cmbFiltResHiCut"),
};
constexpr Field kResonanValues[] = {Read("cmbFiltResHiCut")};
constexpr Field kPhaserValues[] = {
    Read("cmbFiltTapTempo"),
    Read("cmbPhaseFB"),
    SetTo("cmbFiltTremHiCut", kHiCutOff),
};
constexpr Field kTremoloValues[] = {
    Read("cmbPhaseFB"),
    Read("cmbFiltTremHiCut"),
    Read("cmbFiltTapTempo"),
};
constexpr Field kPannerValues[] = {
    SetTo("cmbFiltTremHiCut", kHiCutOff),
    Read("cmbFiltTapTempo"),
};
constexpr std::span<const Field> kValues[] = {kAutoResValues, kResonanValues, kPhaserValues,
                                              kPhaserValues,  kTremoloValues, kPannerValues};

constexpr EditorSpec kSpec{
    .name = "frmFilterMod",
    .title = "Filter/Mod block",
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .types = {kLayout, kValues},
    .sections = kSections,
};

}  // namespace

frmFilterMod::frmFilterMod(QWidget* parent) : BlockEditor(kSpec, parent) {}
