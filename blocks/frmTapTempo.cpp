#include "frmTapTempo.h"

#include <QComboBox>
#include <exception>

#include "IBlockHost.h"

namespace {

constexpr Control kControls[] = {
    ListControl("cmbTapTempo", "Tap Tempo", 0, 0),
};

constexpr Section kSections[] = {{"Tap tempo", {0, 0}, {0, 0}, {0, 0}}};

// A tempo that fits no item shows the first one, 100 ms.
constexpr Field kFields[] = {Read("cmbTapTempo")};

constexpr EditorSpec kSpec{
    .name = "frmTapTempo",
    .title = "",  // the host shows no block name for the tap tempo
    .controls = kControls,
    .fields = kFields,
    .neutral = kFields,
    .sections = kSections,
};

}  // namespace

frmTapTempo::frmTapTempo(QWidget* parent) : BlockEditor(kSpec, parent) {}

void frmTapTempo::Clicked(QWidget& control, ControlRole role) {
  BlockEditor::Clicked(control, role);
  if (!Host()) return;
  // The entry's text ("1234 ") is the interval; a light that refuses it
  // keeps blinking at its old pace, which is no reason to stop the caller.
  try {
    Host()->SetTapTempoSpeed(static_cast<QComboBox&>(control).currentText());
  } catch (const std::exception&) {
  }
}
