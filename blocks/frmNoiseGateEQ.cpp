#include "frmNoiseGateEQ.h"

#include "IBlockHost.h"
#include "CurvePictures.h"

namespace {

// The gate down the left; the EQ bands as rows of frequency, gain and width
// under a heading row, the first band level with the gate's first list.
constexpr Control kControls[] = {
    OnOffCheck("chkNoiseGateOnOff"),
    CheckControl("chkEqOnOff", "EQ On/Off", 0, 1),
    Heading("lblEQFreq", "Frequency", 1, 1),
    Heading("lblEQGain", "Gain", 1, 2),
    Heading("lblEQWidth", "Width", 1, 3),
    ListControl("cmbNGSoftHard", "Soft/Hard", 2, 0),
    ListControl("cmbNGThreshold", "Threshold", 3, 0),
    ListControl("cmbEQFreq1", "EQ 1", 2, 1),
    ListControl("cmbEQGain1", "", 2, 2),
    ListControl("cmbEQWidth1", "", 2, 3),
    ListControl("cmbEQFreq2", "EQ 2", 3, 1),
    ListControl("cmbEQGain2", "", 3, 2),
    ListControl("cmbEQWidth2", "", 3, 3),
    ListControl("cmbEQFreq3", "EQ3", 4, 1),
    ListControl("cmbEQGain3", "", 4, 2),
    ListControl("cmbEQWidth3", "", 4, 3),
    ListControl("cmbNGDamping", "Max Damping", 4, 0),
    ListControl("cmbNGRelease", "Release", 5, 0),
};

// The gate beside the EQ, the EQ's response under its bands.
constexpr Section kSections[] = {
    {"Noise gate", {0, 5}, {0, 0}, {0, 0, 2}},
    {"EQ", {0, 4}, {1, 3}, {0, 1}},
};

constexpr int kGainZero = 12;  // 0 dB
constexpr int kWidthHalf = 4;  // "0.5"

// (control, offset, default index, neutral index); a frequency that fits no
// item shows the last one, "off". Offset 605 is unused.
constexpr Field kBands[] = {
    ByItemData("cmbEQFreq1", 569, kLastItem, kLastItem),
    ByItemData("cmbEQGain1", 573, kGainZero, kGainZero),
    ByItemData("cmbEQWidth1", 577, kWidthHalf, kWidthHalf),
    ByItemData("cmbEQFreq2", 581, kLastItem, kLastItem),
    ByItemData("cmbEQGain2", 585, kGainZero, kGainZero),
    ByItemData("cmbEQWidth2", 589, kWidthHalf, kWidthHalf),
    ByItemData("cmbEQFreq3", 593, kLastItem, kLastItem),
    ByItemData("cmbEQGain3", 597, kGainZero, kGainZero),
    ByItemData("cmbEQWidth3", 601, kWidthHalf, kWidthHalf),
};

// Shown with both switches first; gathered with the EQ switch after the gate.
constexpr Field kGateShown[] = {
    OnOffField("chkNoiseGateOnOff", 609),
    CheckField("chkEqOnOff", 565),  // stored 1 = on
    ByIndex("cmbNGSoftHard", 549, 0, 0),
    ByItemData("cmbNGThreshold", 553, 0, 0),  // -60 dB
    ByIndex("cmbNGDamping", 557, 0, 0),
    ByItemData("cmbNGRelease", 561, 0, 0),  // 3 dB/s
};
constexpr Field kGateGathered[] = {
    OnOffField("chkNoiseGateOnOff", 609),
    ByIndex("cmbNGSoftHard", 549, 0, 0),
    ByItemData("cmbNGThreshold", 553, 0, 0),
    ByIndex("cmbNGDamping", 557, 0, 0),
    ByItemData("cmbNGRelease", 561, 0, 0),
    CheckField("chkEqOnOff", 565),
};

constexpr auto kFields = JoinFields(kGateShown, kBands);
constexpr auto kGather = JoinFields(kGateGathered, kBands);

constexpr EditorSpec kSpec{
    .name = "frmNoiseGateEQ",
    .title = "Noise Gate/EQ block",
    .block = BlockNumber::NoiseGateEQ,
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .gather = kGather,
    .sections = kSections,
};

}  // namespace

// The bands' response under their rows.
frmNoiseGateEQ::frmNoiseGateEQ(QWidget* parent) : BlockEditor(kSpec, parent) {
  const auto band = [this](const char* freq, const char* gain, const char* width) {
    return EqCurvePicture::Band{&ListNamed(freq), &ListNamed(gain), &ListNamed(width)};
  };
  auto* curve = new EqCurvePicture({band("cmbEQFreq1", "cmbEQGain1", "cmbEQWidth1"),
                                    band("cmbEQFreq2", "cmbEQGain2", "cmbEQWidth2"),
                                    band("cmbEQFreq3", "cmbEQGain3", "cmbEQWidth3")},
                                   CheckNamed("chkEqOnOff"));
  AddPicture(*curve, "EQ response", {1, 1});
}

void frmNoiseGateEQ::Clicked(QWidget& control, ControlRole role) {
  BlockEditor::Clicked(control, role);
  // The EQ switch is no block on/off, but the toolbar shows it all the same.
  if (control.objectName() == "chkEqOnOff" && Host()) Host()->ToggleButtons();
}
