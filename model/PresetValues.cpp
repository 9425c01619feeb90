#include "PresetValues.h"

#include <algorithm>

#include "AnsiText.h"
#include "CPreset.h"
#include "modifierUtils.h"
#include "utilities.h"

namespace {

constexpr int kPromptTypes = 6;  // the prompt table's types

std::string ReadName(const PresetImage& image) {
  std::string name = FromAnsi(image.data() + Offset::Name, Offset::NameLength);
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

void WriteName(PresetImage& image, const std::string& name) {
  std::vector<uint8_t> bytes = ToAnsi(name);
  bytes.resize(Offset::NameLength, ' ');
  std::copy(bytes.begin(), bytes.end(), image.begin() + Offset::Name);
}

void WriteHeader(PresetImage& image) {
  image[0] = SysEx::Start;
  std::copy(SysEx::Manufacturer.begin(), SysEx::Manufacturer.end(), image.begin() + 1);
  image[5] = SysEx::ModelGMajor;
  image[6] = SysEx::TypePreset;
  image[Offset::End] = SysEx::End;
}

BlockValues ReadBlock(const CatalogBlock& block, const PresetImage& image) {
  BlockValues values{&block, block.HasTypes() ? ShownType(block, ReadLocation(image, {block.typeOffset})) : 0, {}};
  for (const CatalogField& field : FieldsOf(block, values.type)) {
    const int32_t value = ReadLocation(image, field.row->at);
    values.fields.push_back({field, value, TextOf(*field.row, value)});
  }
  return values;
}

int32_t StoredType(const PresetImage& image, const ModifierGroup& group) {
  return ReadValue28(image, group.blockBase, true);
}

std::vector<ModifierValue> ReadModifiers(const PresetImage& image) {
  std::vector<ModifierValue> modifiers;
  for (int g = 0; g < static_cast<int>(kModifierGroups.size()); ++g) {
    const ModifierGroup& group = kModifierGroups[g];
    const int32_t type = StoredType(image, group);
    for (int n = 0; n < group.SlotCount(); ++n) {
      std::string prompt = ModifierPrompt(g, type, n);
      if (prompt.empty()) continue;
      ModifierValue m{group.firstSlot + 4 * n, {}};
      m.assignment.Create(group.firstSlot, ReadValue28(image, m.slot, false), std::move(prompt));
      modifiers.push_back(std::move(m));
    }
  }
  return modifiers;
}

// As the editor saves them: the given assignment where the slot has a
// parameter for the stored type, the default everywhere else.
void WriteModifiers(PresetImage& image, const std::vector<ModifierValue>& modifiers) {
  for (int g = 0; g < static_cast<int>(kModifierGroups.size()); ++g) {
    const ModifierGroup& group = kModifierGroups[g];
    const int32_t type = StoredType(image, group);
    for (int n = 0; n < group.SlotCount(); ++n) {
      const int slot = group.firstSlot + 4 * n;
      int32_t value = kDefaultModifierValue;
      const auto given = std::find_if(modifiers.begin(), modifiers.end(), [&](const ModifierValue& m) { return m.slot == slot; });
      if (given != modifiers.end() && !ModifierPrompt(g, type, n).empty()) value = given->assignment.Value();
      WriteValue28(value, slot, image);
    }
  }
}

ValueList PresetNumberTexts() {
  ValueList list{{"E", std::nullopt}};
  for (const char* bank : {"F", "U"}) {
    for (int n = 1; n <= PresetNumber::UserBase; ++n) list.push_back({bank + std::to_string(n), std::nullopt});
  }
  return list;
}

constexpr int UnitLength(int unit) { return unit >= Offset::FirstParameter && unit < Offset::Checksum ? 4 : 1; }

}  // namespace

PresetValues ReadPresetValues(const PresetImage& image) {
  PresetValues values;
  values.name = ReadName(image);
  values.number = ReadValue14(image, Offset::Number);
  for (const CatalogBlock& block : CatalogBlocks()) values.blocks.push_back(ReadBlock(block, image));
  values.modifiers = ReadModifiers(image);
  return values;
}

BlockValues PickBlockValues(const CatalogBlock& block, int type, const std::function<int(int count)>& pick) {
  BlockValues values{&block, type, {}};
  for (const CatalogField& field : FieldsOf(block, type)) {
    const bool isType = block.HasTypes() && field.row == &TypeRow(block);
    const int position = isType ? type : field.first + pick(field.last - field.first + 1);
    values.fields.push_back({field, ItemValue(*field.row, position), std::nullopt});
  }
  return values;
}

PresetImage ComposePreset(const PresetValues& values) {
  PresetImage image{};
  WriteHeader(image);
  WriteValue14(values.number, Offset::Number, image);
  WriteName(image, values.name);
  // Types first: the modifier slots take their parameters from them. A type's
  // fixed values come after its fields, as the editors write them.
  for (const BlockValues& block : values.blocks) {
    for (const FieldValue& f : block.fields) WriteLocation(image, f.field.row->at, f.value);
    for (const FixedValue& v : FixedValuesOf(*block.block, block.type)) WriteValue28(v.value, v.offset, image);
  }
  WriteModifiers(image, values.modifiers);
  image[Offset::Checksum] = PresetChecksum(image);
  return image;
}

const CatalogRow& PresetNumberRow() {
  static constexpr CatalogRow row{"txtPresetNumber", {Offset::Number}, Representation::Index, PresetNumberTexts,
                                  {Appearance{Presence::Active, "Number"}}};
  return row;
}

std::string ModifierPrompt(int group, int32_t storedType, int slot) {
  // Types the prompt table does not hold have no parameters; asking it
  // would log them as errors.
  if (storedType < 0 || storedType >= kPromptTypes) return "";
  return modifierUtils::GetModifierPrompt(group, storedType, slot);
}

std::vector<ByteRun> DifferingRuns(const PresetImage& a, const PresetImage& b,
                                   const std::function<bool(int unit)>& explained) {
  std::vector<ByteRun> runs;
  for (int unit = 0; unit < static_cast<int>(kPresetSize); unit += UnitLength(unit)) {
    if (unit == Offset::Checksum) continue;
    const auto first = a.begin() + unit;
    const auto last = first + UnitLength(unit);
    if (std::equal(first, last, b.begin() + unit) || (explained && explained(unit))) continue;
    const bool joins = unit < Offset::FirstParameter && !runs.empty() &&
                       runs.back().offset + static_cast<int>(runs.back().bytes.size()) == unit;
    if (!joins) runs.push_back({unit, {}});
    runs.back().bytes.insert(runs.back().bytes.end(), first, last);
  }
  return runs;
}
