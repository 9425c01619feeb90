// Setting a list's selection or a check box's state from code. Both raise the
// same click signal a user's choice raises (activated / clicked), every time,
// even when the value does not change: showing a preset must run every
// control's click handling. Connect click handling to those two signals only,
// never to currentIndexChanged or stateChanged, so that nothing runs twice.
#pragma once

#include <string>

class QCheckBox;
class QComboBox;
class QWidget;

// Run-time errors of a control that refuses a value; the numbers are the
// toolkit's usual ones for these faults.
namespace ControlError {
constexpr int InvalidValue = 380;  // an index outside -1 .. count-1, a check state outside 0 .. 2
constexpr int NoSelection = 381;   // item data of a list without a selection
}  // namespace ControlError

// Selects index (-1 clears the selection), then emits activated(index).
// Throws LindelError InvalidValue for an index outside -1 .. count-1.
void SelectListIndex(QComboBox& list, int index);
// Sets the state 0 unchecked, 1 checked or 2 greyed, then emits clicked.
// Throws LindelError InvalidValue for any other value.
void SetCheckValue(QCheckBox& box, int value);
// 0 unchecked, 1 checked, 2 greyed.
int CheckValue(const QCheckBox& box);
// The selected index; throws LindelError NoSelection when none is, for
// values that cannot stand for "nothing selected".
int SelectedIndex(const QComboBox& list);

// "frmCompressor.cmbRatio": where a control failure happened, for the log.
std::string ControlPath(const QWidget& control);
