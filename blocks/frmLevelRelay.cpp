#include "frmLevelRelay.h"

#include <QCheckBox>
#include <QComboBox>

#include "CPreset.h"
#include "Selection.h"

namespace {

constexpr Control kControls[] = {
    ListControl("cmbOutLevel", "Out level", 0, 0),
    CheckControl("chkRelay1", "Relay 1", 1, 0),
    CheckControl("chkRelay2", "Relay 2", 2, 0),
};

constexpr Section kSections[] = {
    {"Output", {0, 0}, {0, 0}, {0, 0}},
    {"Relays", {1, 2}, {0, 0}, {0, 1}},
};

constexpr Field kNeutral[] = {Read("cmbOutLevel"), Read("chkRelay1"), Read("chkRelay2")};

constexpr EditorSpec kSpec{
    .name = "frmLevelRelay",
    .title = "Levels All/Relay 1+2",
    .controls = kControls,
    .neutral = kNeutral,
    .sections = kSections,
};

}  // namespace

frmLevelRelay::frmLevelRelay(QWidget* parent) : BlockEditor(kSpec, parent) {}

// The out level's position is the stored level itself, unchecked: a level
// beyond the list is refused by the list, which keeps its selection, and
// ends the scatter there.
void frmLevelRelay::ScatterShown(const CPreset* preset, bool) {
  if (!preset) {
    ScatterRows(nullptr, kNeutral);
    return;
  }
  SelectListIndex(ListNamed("cmbOutLevel"), preset->OutLevel());
  SetCheckValue(CheckNamed("chkRelay1"), preset->Relay(1));
  SetCheckValue(CheckNamed("chkRelay2"), preset->Relay(2));
}

void frmLevelRelay::GatherFields(CPreset& preset) {
  preset.SetOutLevel(SelectedIndex(ListNamed("cmbOutLevel")));
  preset.SetRelay(1, CheckValue(CheckNamed("chkRelay1")));
  preset.SetRelay(2, CheckValue(CheckNamed("chkRelay2")));
}
