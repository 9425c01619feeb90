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

// Read and set neutral in this order, both switches first.
constexpr Field kFields[] = {
    Read("chkNoiseGateOnOff"),
    Read("chkEqOnOff"),
    Read("cmbNGSoftHard"),
    Read("cmbNGThreshold"),  // -60 dB
    Read("cmbNGDamping"),
    Read("cmbNGRelease"),  // 3 dB/s
    Read("cmbEQFreq1"),
    Read("cmbEQGain1"),
    Read("cmbEQWidth1"),
    Read("cmbEQFreq2"),
    Read("cmbEQGain2"),
    Read("cmbEQWidth2"),
    Read("cmbEQFreq3"),
    Read("cmbEQGain3"),
    Read("cmbEQWidth3"),
};

constexpr EditorSpec kSpec{
    .name = "frmNoiseGateEQ",
    .title = "Noise Gate/EQ block",
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
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
