#include "frmRouting.h"

#include <QComboBox>

#include "CPreset.h"
#include "IBlockHost.h"
#include "Selection.h"

namespace {

constexpr Control kControls[] = {
    ListControl("cmbRouting", "Routing", 0, 0),
};

constexpr Section kSections[] = {{"Routing", {0, 0}, {0, 0}, {0, 0}}};

constexpr Field kNeutral[] = {Read("cmbRouting")};

constexpr EditorSpec kSpec{
    .name = "frmRouting",
    .title = "Routing block",
    .controls = kControls,
    .neutral = kNeutral,
    .sections = kSections,
};

}  // namespace

frmRouting::frmRouting(QWidget* parent) : BlockEditor(kSpec, parent) {}

// The stored routing is the position itself, unchecked: the fourth value the
// two bits can hold is refused by the list, which keeps its selection.
void frmRouting::ScatterShown(const CPreset* preset, bool) {
  if (!preset) {
    ScatterRows(nullptr, kNeutral);
    return;
  }
  SelectListIndex(ListNamed("cmbRouting"), preset->Routing());
}

void frmRouting::GatherFields(CPreset& preset) { preset.SetRouting(SelectedIndex(ListNamed("cmbRouting"))); }

void frmRouting::Clicked(QWidget& control, ControlRole role) {
  BlockEditor::Clicked(control, role);
  if (Host()) Host()->UpdateRoutingDisplay(static_cast<QComboBox&>(control).currentIndex());
}
