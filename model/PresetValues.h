// A preset as the editors show it (the name, the number, each block's fields
// with their values and texts, the modifier assignments that have a
// parameter) and the way back from those values to a preset image. What the
// values leave out (unused bytes, bits no control shows) is found by
// comparing the image with the one its values compose.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CModifier.h"
#include "ParameterCatalog.h"

struct FieldValue {
  CatalogField field;
  int32_t value = 0;
  std::optional<std::string> text;  // nothing when no item of the field's list holds the value
};

struct BlockValues {
  const CatalogBlock* block = nullptr;
  int type = 0;  // the type the editor shows; 0 for blocks without types
  std::vector<FieldValue> fields;
};

struct ModifierValue {
  int slot = 0;           // the slot's offset
  CModifier assignment;   // with the prompt of its parameter
};

struct PresetValues {
  std::string name;  // without the padding spaces
  int number = 0;
  std::vector<BlockValues> blocks;       // in catalog order
  std::vector<ModifierValue> modifiers;  // the slots that have a parameter, in slot order
};

PresetValues ReadPresetValues(const PresetImage& image);

// A block of this type whose every other field holds the item of its list
// that pick chooses among the positions the type shows: pick(count) gives
// one of those count positions, 0 for the first.
BlockValues PickBlockValues(const CatalogBlock& block, int type, const std::function<int(int count)>& pick);

// The image the values make: the header with device 0, name, number, every
// field, the values each block's type fixes, the modifier slots (a slot
// without a given assignment gets the default one), the end byte and the
// checksum. Texts are not read.
PresetImage ComposePreset(const PresetValues& values);

// The stored preset numbers by position: "E", "F1" to "F100", "U1" to "U100".
const CatalogRow& PresetNumberRow();

// The parameter of slot number slot of modifier group group (0 to 4) for
// the block's stored type; "" where the type has none.
std::string ModifierPrompt(int group, int32_t storedType, int slot);

// Where two images differ, in units: the bytes below 29 one by one (joined
// into runs), each 4-byte field from 29 whole, and the end byte; never the
// checksum. A unit for which explained returns true is left out.
struct ByteRun {
  int offset = 0;
  std::vector<uint8_t> bytes;  // taken from the first image
};
std::vector<ByteRun> DifferingRuns(const PresetImage& a, const PresetImage& b,
                                   const std::function<bool(int unit)>& explained = {});
