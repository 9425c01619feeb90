// What differs between two presets, said as the editors show it: the name
// and number, each block's fields by block and caption with both display
// texts, the modifier assignments by parameter, and last any bytes that no
// shown value accounts for. Empty exactly when the images are the same
// (the checksum aside, which follows from the rest).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "PresetValues.h"

struct Difference {
  std::string where;   // "Compressor / Ratio", "Name", "Modifiers / FIL Mix", "Bytes 185-188"
  std::string before;  // as the first preset shows it
  std::string after;   // as the second one does
};

std::vector<Difference> ComparePresets(const PresetImage& a, const PresetImage& b);

// "\"2.0:1\"", or "5 (no list item)" for a value its list does not hold.
std::string ShownText(const FieldValue& field);
// "M1 0/50/100": the modifier, then the minimum, middle and maximum outputs.
std::string AssignmentText(const CModifier& assignment);
// "U1", "F7", "E"; the number itself beyond 200.
std::string PresetNumberText(int number);
// "05 00 7f": two lower-case hex digits a byte.
std::string HexBytes(std::span<const uint8_t> bytes);
