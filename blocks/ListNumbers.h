// Reading the numbers that value-list items stand for, so that a typed value,
// a wheel turn or a dial can reach the item nearest to it. Units are scaled to
// one base per kind: "k"/"kHz" are thousands of hertz, "s" thousands of
// milliseconds, so "1.5k" meets "1.50 k" and "2 s" meets "2.0 s".
#pragma once

#include <optional>

class QComboBox;
class QString;

// The number a text stands for ("350 ms", "-12 dB", "1.00 k", ".050 Hz",
// "1.5:1"), or none for texts such as "Off" or "1/8T".
std::optional<double> TextNumber(const QString& text);
// The index of the item nearest to the typed value (the first of equals), or
// -1 when typed is no number or no item has one. Numbers come from the texts,
// or from the item data in lists without a numeric text. A number typed
// without a unit may be meant in the list's base unit ("1500" for "1.50 k")
// or as the texts write it ("2.5" for "2.5 sec"); the nearer reading counts.
int NearestItem(const QComboBox& list, const QString& typed);
// True for lists long enough to want a dial whose items are nearly all numbers.
bool IsNumericList(const QComboBox& list);
