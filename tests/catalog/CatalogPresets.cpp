#include "CatalogPresets.h"

#include <random>
#include <set>

#include "PresetValues.h"
#include "modifierUtils.h"
#include "utilities.h"

namespace {

int Uniform(std::mt19937& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

std::string RandomName(std::mt19937& rng) {
  std::string name(static_cast<std::size_t>(Uniform(rng, 0, Offset::NameLength)), ' ');
  for (char& c : name) c = static_cast<char>(Uniform(rng, ' ', '~'));
  return name;
}

BlockValues RandomBlock(std::mt19937& rng, const CatalogBlock& block, const CatalogPresetOptions& options) {
  const int drawn = Uniform(rng, 0, TypeCount(block) - 1);
  const int type = &block == options.block ? options.type : drawn;
  return PickBlockValues(block, type, [&rng](int count) { return Uniform(rng, 0, count - 1); });
}

// Every slot of the stored types' parameters; Compose gives the rest the default.
std::vector<ModifierValue> RandomAssignments(std::mt19937& rng, const PresetImage& image) {
  std::vector<ModifierValue> modifiers;
  for (int g = 0; g < static_cast<int>(kModifierGroups.size()); ++g) {
    const ModifierGroup& group = kModifierGroups[g];
    for (int n = 0; n < group.SlotCount(); ++n) {
      int32_t value = Uniform(rng, 0, 4);
      for (int shift : {3, 10, 17}) value |= Uniform(rng, 0, 100) << shift;  // minimum, middle, maximum
      ModifierValue m{group.firstSlot + 4 * n, {}};
      m.assignment.Create(group.firstSlot, value, ModifierPrompt(g, ReadValue28(image, group.blockBase, true), n));
      if (!m.assignment.Prompt().empty()) modifiers.push_back(m);
    }
  }
  return modifiers;
}

void AddNoise(std::mt19937& rng, const PresetValues& values, PresetImage& image) {
  std::set<int> shown;
  for (const BlockValues& block : values.blocks) {
    for (const FieldValue& f : block.fields) shown.insert(f.field.row->at.offset);
    for (const FixedValue& v : FixedValuesOf(*block.block, block.type)) shown.insert(v.offset);
  }
  for (int offset = Offset::RoutingWord; offset <= Offset::LastParameter; offset += 4) {
    if (!shown.count(offset)) WriteValue28(Uniform(rng, 0, 0xFFFFFF), offset, image);
  }
  WriteLocation(image, {Offset::RoutingWord, 11, 3}, Uniform(rng, 0, 7));  // bits no control shows
  if (Uniform(rng, 0, 1)) image[4] = static_cast<uint8_t>(Uniform(rng, 0, 0x7F));  // device identifier
}

CPreset Loaded(PresetImage& image) {
  image[Offset::Checksum] = PresetChecksum(image);
  CPreset preset;
  preset.LoadFromByteArray(image);
  return preset;
}

}  // namespace

CPreset CatalogPreset(uint32_t seed, const CatalogPresetOptions& options) {
  std::mt19937 rng(seed);
  PresetValues values;
  values.name = RandomName(rng);
  values.number = Uniform(rng, 0, PresetNumber::Highest);
  for (const CatalogBlock& block : CatalogBlocks()) values.blocks.push_back(RandomBlock(rng, block, options));
  values.modifiers = RandomAssignments(rng, ComposePreset(values));
  PresetImage image = ComposePreset(values);
  if (options.noise) AddNoise(rng, values, image);
  return Loaded(image);
}

std::vector<uint8_t> CatalogBank(int count, uint32_t seed) {
  std::vector<uint8_t> bank;
  for (int i = 0; i < count; ++i) {
    const CPreset preset = CatalogPreset(seed + static_cast<uint32_t>(i));
    bank.insert(bank.end(), preset.Image().begin(), preset.Image().end());
  }
  return bank;
}

CPreset RandomBytesPreset(uint32_t seed) {
  std::mt19937 rng(seed);
  PresetImage image;
  for (uint8_t& b : image) b = static_cast<uint8_t>(Uniform(rng, 0, 0xFF));
  return Loaded(image);
}
