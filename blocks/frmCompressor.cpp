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

// (control, offset, default index, neutral index); read, set neutral and
// written in this one order. Offsets 185 to 221 are unused.
constexpr Field kFields[] = {
    OnOffField("chkCompOnOff", 225),
    ByIndex("cmbRatio", 169, 0, 0),
    ByItemData("cmbThreshold", 165, 0, 0),
    ByItemData("cmbAttack", 173, 0, 0),
    ByItemData("cmbRelease", 177, 0, 0),
    ByItemData("cmbGain", 181, 6, 6),  // index 6 is 0 dB
};

constexpr EditorSpec kSpec{
    .name = "frmCompressor",
    .title = "Compressor block",
    .block = BlockNumber::Compressor,
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .gather = kFields,
    .sections = kSections,
};

}  // namespace

// The transfer line right of the lists.
frmCompressor::frmCompressor(QWidget* parent) : BlockEditor(kSpec, parent) {
  AddPicture(*new CompressorCurvePicture(ListNamed("cmbThreshold"), ListNamed("cmbRatio"), ListNamed("cmbGain")),
             "Transfer curve", {0, 1});
}
