// Filling drop-down lists from value lists, and moving
// values between a preset field and a list. A list stands for a device value
// either by the selected position or by the selected item's item data
// (Qt::UserRole; an item without item data counts as 0). Filled lists start
// with no selection (index -1).
#pragma once

#include <cstdint>
#include <initializer_list>

#include "ValueLists.h"

class CPreset;
class QComboBox;

// Clears the list, then appends items, each with its item data where it has one.
void FillCombo(QComboBox& list, const ValueList& items);
// Clears the list, then appends the texts by position.
void FillTextCombo(QComboBox& list, std::initializer_list<const char*> texts);
void FillIntegerCombo(QComboBox& list, int first, int last, const char* unit);  // clears
// The items with each text's first decimal point written as the user's locale writes it.
ValueList WithLocaleDecimals(ValueList items);

// Selects the stored value of field iField as a position, or defaultIndex
// when there is no preset or the value has no item. A failure is logged and
// index 0 selected instead; a failure of that is ignored.
void SelectComboIndex(QComboBox& list, const CPreset* preset, int32_t iField, int defaultIndex);
// Selects the first item whose item data is value, or defaultIndex when none
// is; failures as for SelectComboIndex.
void SelectComboItemData(QComboBox& list, int32_t value, int defaultIndex);

int32_t ComboItemData(const QComboBox& list, int index);
// Item data of the selected item; throws LindelError NoSelection when none is.
int32_t SelectedItemData(const QComboBox& list);
