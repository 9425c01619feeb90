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

// The fields every type shows, as (control, offset, default index, neutral
// index): read with bAll, and set to their neutral values without a preset.
constexpr Field kFields[] = {
    OnOffField("chkFiltOnOff", 289),
    ByIndex("cmbFiltType", 229, 0, 0),
    ByIndex("cmbFiltOrder", 233, 0, 0),
    ByIndex("cmbFiltSens", 237, 0, 0),
    ByIndex("cmbFiltResp", 241, 0, 0),
    ByIndex("cmbPhaseSpeed", 245, 0, 0),
    ByIndex("cmbPhaseDepth", 249, 0, 0),
    ByIndex("cmbTremType", 257, 0, 0),
    ByIndex("cmbPhaseRange", 265, 0, 0),
    CheckField("chkPhaseReverse", 269),
    ByIndex("cmbFiltResPulse", 277, 0, 0),
    ByIndex("cmbFiltMix", 281, 100, 100),
    ByItemData("cmbFiltOut", 285, 0, 100),  // index 100 is 0 dB
};

// Sensitivity is read by position but written as item data (they agree), and
// the phase feedback is written whatever the type.
constexpr Field kGather[] = {
    OnOffField("chkFiltOnOff", 289),
    ByIndex("cmbFiltType", 229, 0, 0),
    ByIndex("cmbFiltOrder", 233, 0, 0),
    ByItemData("cmbFiltSens", 237, 0, 0),
    ByIndex("cmbFiltResp", 241, 0, 0),
    ByIndex("cmbPhaseSpeed", 245, 0, 0),
    ByIndex("cmbPhaseDepth", 249, 0, 0),
    ByIndex("cmbTremType", 257, 0, 0),
    ByItemData("cmbPhaseFB", 261, 0, 0),
    ByIndex("cmbPhaseRange", 265, 0, 0),
    CheckField("chkPhaseReverse", 269),
    ByIndex("cmbFiltResPulse", 277, 0, 0),
    ByIndex("cmbFiltMix", 281, 0, 0),
    ByItemData("cmbFiltOut", 285, 0, 0),
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
    {"cmbFiltOrder",     {E,          E,          D,          D,          D,          D}},
    {"cmbFiltSens",      {E,          D,          D,          D,          D,          D}},
    {"cmbFiltResp",      {E,          D,          D,          D,          D,          D}},
    {"lblFreqTempo",     {kFreqMax,   kFreqMax,   kTapTempo,  kTapTempo,  kTapTempo,  kTapTempo}},
    {"cmbFiltFreqMax",   {E,          D,          H,          H,          H,          H}},
    {"cmbFiltTapTempo",  {H,          H,          E,          E,          E,          E}},
    {"lblPhaseSpeed",    {K,          K,          Caption("Phase Speed"), Caption("Phase Speed"),
                                                                          Caption("TRM Speed"), Caption("PAN Speed")}},
    {"cmbPhaseSpeed",    {D,          D,          E,          E,          E,          E}},
    {"lblPhaseDepth",    {K,          K,          Caption("Phase Depth"), Caption("Phase Depth"),
                                                                          Caption("TRM Depth"), Caption("PAN Width")}},
    {"cmbPhaseDepth",    {D,          D,          E,          E,          E,          E}},
    {"lblPhaseFB",       {kPhaseFB,   kPhaseFB,   kPhaseFB,   kPhaseFB,   Caption("PWidth"), K}},
    {"cmbPhaseFB",       {D,          D,          E,          E,          E,          D}},
    {"cmbPhaseRange",    {D,          D,          E,          E,          D,          D}},
    {"chkPhaseReverse",  {D,          D,          E,          E,          D,          D}},
    {"cmbTremType",      {D,          D,          D,          D,          E,          D}},
    {"lblFiltHiCut",     {kFiltHiCut, kFiltHiCut, kEmpty,     kEmpty,     Caption("TRM HiCut"), kEmpty}},
    {"cmbFiltResHiCut",  {E,          E,          H,          H,          H,          H}},
    {"cmbFiltTremHiCut", {H,          H,          D,          D,          E,          D}},
    {"lblFiltResPulse",  {kFiltRes,   kFiltRes,   kEmpty,     kEmpty,     kEmpty,     kEmpty}},
    {"cmbFiltResPulse",  {E,          E,          D,          D,          D,          D}},
};

// Set after the layout: read from the preset, or the neutral value without one.
constexpr int kFeedbackZero = 100;  // cmbPhaseFB: -100 .. 100
constexpr int kHiCutOff = 60;       // cmbFiltTremHiCut: "Off"
constexpr Field kAutoResValues[] = {
    ByItemData("cmbFiltFreqMax", 253, 0, 0),
    ByItemData("cmbFiltResHiCut", 273, 0, 0),
    SetTo("cmbPhaseFB", kFeedbackZero),
};
constexpr Field kResonanValues[] = {
    ByItemData("cmbFiltResHiCut", 273, 0, 0),
    SetTo("cmbPhaseFB", kFeedbackZero),
    SetTo("cmbFiltFreqMax", 0),
    SetTo("cmbFiltSens", 0),
    SetTo("cmbFiltResp", 0),
};
constexpr Field kPhaserValues[] = {
    ByIndex("cmbFiltTapTempo", 253, 0, 0),
    ByItemData("cmbPhaseFB", 261, 0, kFeedbackZero),
    SetTo("cmbFiltTremHiCut", kHiCutOff),
};
constexpr Field kTremoloValues[] = {
    ByItemData("cmbPhaseFB", 261, 0, kFeedbackZero),
    ByItemData("cmbFiltTremHiCut", 273, 0, kHiCutOff),
    ByIndex("cmbFiltTapTempo", 253, 0, 0),
};
constexpr Field kPannerValues[] = {
    SetTo("cmbPhaseFB", kFeedbackZero),
    SetTo("cmbFiltTremHiCut", kHiCutOff),
    ByIndex("cmbFiltTapTempo", 253, 0, 0),
};
constexpr std::span<const Field> kValues[] = {kAutoResValues, kResonanValues, kPhaserValues,
                                              kPhaserValues,  kTremoloValues, kPannerValues};

// Offsets 253 and 273 by type; a type without a hi-cut stores 0 there.
constexpr Field kResonanceGather[] = {ByItemData("cmbFiltFreqMax", 253, 0, 0),
                                     ByItemData("cmbFiltResHiCut", 273, 0, 0)};
constexpr Field kTempoGather[] = {ByIndex("cmbFiltTapTempo", 253, 0, 0), Write(273, 0)};
constexpr Field kTremoloGather[] = {ByIndex("cmbFiltTapTempo", 253, 0, 0), ByItemData("cmbFiltTremHiCut", 273, 0, 0)};
constexpr std::span<const Field> kTypeGather[] = {kResonanceGather, kResonanceGather, kTempoGather,
                                                  kTempoGather,     kTremoloGather,   kTempoGather};

constexpr EditorSpec kSpec{
    .name = "frmFilterMod",
    .title = "Filter/Mod block",
    .block = BlockNumber::FilterMod,
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .gather = kGather,
    .types = {kLayout, kValues, kTypeGather},
    .sections = kSections,
};

}  // namespace

frmFilterMod::frmFilterMod(QWidget* parent) : BlockEditor(kSpec, parent) {}
