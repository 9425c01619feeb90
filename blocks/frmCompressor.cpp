#include "frmCompressor.h"

#include "CurvePictures.h"

namespace {

constexpr Control kControls[] = {
    OnOffCheck("chkCompOnOff"),
    ListControl("cmbRatio", "Ratio", 1, 0),
    ListControl("cmbThreshold", "Threshold", 2, 0),
    ListControl("cmbAttack", "Attack", 3, 0),
    ListControl("cmbRelease", "Release", 4, 0),
    ListControl("cmbGain", "Gain", 5, 0),
};

// The settings in one column, their transfer line beside them.
constexpr Section kSections[] = {
    {"Compressor", {0, 5}, {0, 0}, {0, 0}},
};

// Read and set neutral in this order.
constexpr Field kFields[] = {
    Read("chkCompOnOff"),
    Read("cmbRatio"),
    Read("cmbThreshold"),
    Read("cmbAttack"),
    Read("cmbRelease"),
    Read("cmbGain"),  // index 6 is 0 dB
};

constexpr EditorSpec kSpec{
    .name = "frmCompressor",
    .title = "Compressor block",
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .sections = kSections,
};

}  // namespace

// The transfer line right of the lists.
frmCompressor::frmCompressor(QWidget* parent) : BlockEditor(kSpec, parent) {
  AddPicture(*new CompressorCurvePicture(ListNamed("cmbThreshold"), ListNamed("cmbRatio"), ListNamed("cmbGain")),
             "Transfer curve", {0, 1});
}
