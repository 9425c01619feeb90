#include "SoundDesign.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "CPreset.h"
#include "PresetValues.h"
#include "modifierUtils.h"
#include "utilities.h"

namespace {

// A position below count from the generator. Our own mapping, not a
// standard distribution, so one seed gives the same bytes everywhere.
int Below(std::mt19937_64& rng, int count) {
  return count <= 1 ? 0 : static_cast<int>(rng() % static_cast<uint64_t>(count));
}

int ItemCount(const CatalogRow& row) { return static_cast<int>(Items(row).size()); }

// The item whose value lies closest to value (the first of equals), so a
// stored value no list item holds still has a place on the list.
int NearestPosition(const CatalogRow& row, int32_t value) {
  int best = 0;
  int64_t bestDistance = INT64_MAX;
  for (int p = 0; p < ItemCount(row); ++p) {
    const int64_t distance = std::llabs(static_cast<int64_t>(ItemValue(row, p)) - value);
    if (distance < bestDistance) {
      best = p;
      bestDistance = distance;
    }
  }
  return best;
}

// An item that reads as a number ("12 dB", "-3", ".050 Hz", "1:2"), not a name.
bool IsNumber(const CatalogRow& row, int position) {
  const std::string& text = Items(row)[static_cast<std::size_t>(position)].text;
  std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+' && text[0] != '.') ? 0 : 1;
  return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}

// Within the positions the editor shows for the field's type.
int Clamped(const CatalogField& field, long position) {
  return static_cast<int>(std::clamp<long>(position, field.first, field.last));
}

bool IsTypeRow(const CatalogBlock& block, const CatalogRow& row) { return block.HasTypes() && &row == &TypeRow(block); }

int StoredShownType(const CatalogBlock& block, const PresetImage& image) {
  return block.HasTypes() ? ShownType(block, ReadLocation(image, {block.typeOffset})) : 0;
}

const CatalogBlock* BlockWithType(int typeOffset) {
  for (const CatalogBlock& block : CatalogBlocks()) {
    if (block.typeOffset == typeOffset) return &block;
  }
  return nullptr;
}

// The values the block gets: for each field of type, the position position(field) gives.
template <typename PositionFn>
BlockValues Positioned(const CatalogBlock& block, int type, PositionFn position) {
  BlockValues values{&block, type, {}};
  for (const CatalogField& field : FieldsOf(block, type)) {
    const int p = IsTypeRow(block, *field.row) ? type : Clamped(field, position(field));
    values.fields.push_back({field, ItemValue(*field.row, p), std::nullopt});
  }
  return values;
}

// The type each modifier group's block has in the result.
int ResultType(const ModifierGroup& group, const PresetImage& current, const std::vector<BlockValues>& changed) {
  for (const BlockValues& b : changed) {
    if (b.block->typeOffset == group.blockBase) return b.type;
  }
  return ReadValue28(current, group.blockBase, true);
}

// The editor's own rebuilding of the assignments for the result's types;
// only the groups whose type changed take its slots, so the others keep
// their bytes.
void RebuildModifiers(const PresetImage& current, const std::vector<BlockValues>& changed, PresetImage& result) {
  PresetImage start = current;
  start[Offset::Checksum] = PresetChecksum(start);
  CPreset preset;
  if (!preset.LoadFromByteArray(start)) return;
  std::array<int, kModifierGroups.size()> types{};
  for (std::size_t g = 0; g < kModifierGroups.size(); ++g) types[g] = ResultType(kModifierGroups[g], current, changed);
  preset.ReloadModifiers(types[0], true, types[1], true, types[2], true, types[3], true, types[4], true);
  preset.SaveModifiers();
  for (std::size_t g = 0; g < kModifierGroups.size(); ++g) {
    const ModifierGroup& group = kModifierGroups[g];
    if (types[g] == ReadValue28(current, group.blockBase, true)) continue;
    std::copy(preset.Image().begin() + group.firstSlot, preset.Image().begin() + group.endSlot,
              result.begin() + group.firstSlot);
  }
}

// current with the changed blocks' values written as the editors write them.
PresetImage Compose(const PresetImage& current, const std::vector<BlockValues>& changed) {
  PresetImage result = current;
  RebuildModifiers(current, changed, result);
  for (const BlockValues& block : changed) {
    for (const FieldValue& f : block.fields) WriteLocation(result, f.field.row->at, f.value);
    for (const FixedValue& v : FixedValuesOf(*block.block, block.type)) WriteValue28(v.value, v.offset, result);
  }
  result[Offset::Checksum] = PresetChecksum(result);
  return result;
}

template <typename BlockFn>
PresetImage Design(const PresetImage& current, const DesignBlocks& blocks, BlockFn design) {
  std::vector<BlockValues> changed;
  for (const CatalogBlock& block : CatalogBlocks()) {
    if (blocks.count(block.number)) changed.push_back(design(block));
  }
  return Compose(current, changed);
}

int MovedPosition(std::mt19937_64& rng, const CatalogRow& row, int position, int percent) {
  const int reach = (percent * (ItemCount(row) - 1) + 50) / 100;
  return position + Below(rng, 2 * reach + 1) - reach;
}

bool HasRow(const CatalogBlock& block, int type, const CatalogRow& row) {
  const std::vector<CatalogField> fields = FieldsOf(block, type);
  return std::any_of(fields.begin(), fields.end(), [&](const CatalogField& f) { return f.row == &row; });
}

// One field between a (at 0) and b (at 1); at below 0 goes away from b.
int BlendedPosition(const CatalogRow& row, int32_t a, int32_t b, double at) {
  const int pa = NearestPosition(row, a);
  const int pb = NearestPosition(row, b);
  if (IsNumber(row, pa) && IsNumber(row, pb)) return static_cast<int>(std::lround(pa + at * (pb - pa)));
  return at < 0.5 ? pa : pb;
}

PresetImage Blend(const PresetImage& a, const PresetImage& b, double at, const DesignBlocks& blocks) {
  const bool bSide = at >= 0.5;
  PresetImage result = Design(a, blocks, [&](const CatalogBlock& block) {
    const int ta = StoredShownType(block, a);
    const int tb = StoredShownType(block, b);
    const int type = bSide ? tb : ta;
    return Positioned(block, type, [&](const CatalogField& field) {
      const CatalogRow& row = *field.row;
      const int32_t va = ReadLocation(a, row.at);
      const int32_t vb = ReadLocation(b, row.at);
      if (HasRow(block, ta, row) && HasRow(block, tb, row)) return BlendedPosition(row, va, vb, at);
      return NearestPosition(row, bSide ? vb : va);
    });
  });
  if (!bSide) return result;
  for (const ModifierGroup& group : kModifierGroups) {
    const CatalogBlock* block = BlockWithType(group.blockBase);
    if (block && blocks.count(block->number)) {
      std::copy(b.begin() + group.firstSlot, b.begin() + group.endSlot, result.begin() + group.firstSlot);
    }
  }
  result[Offset::Checksum] = PresetChecksum(result);
  return result;
}

}  // namespace

DesignBlocks AllDesignBlocks() {
  DesignBlocks all;
  for (const CatalogBlock& block : CatalogBlocks()) all.insert(block.number);
  return all;
}

PresetImage Randomize(const PresetImage& current, const DesignBlocks& blocks, bool keepTypes, uint64_t seed) {
  std::mt19937_64 rng(seed);
  return Design(current, blocks, [&](const CatalogBlock& block) {
    const int type = keepTypes ? StoredShownType(block, current) : Below(rng, TypeCount(block));
    return PickBlockValues(block, type, [&rng](int count) { return Below(rng, count); });
  });
}

PresetImage Mutate(const PresetImage& current, const DesignBlocks& blocks, int percent, bool mutateTypes,
                   uint64_t seed) {
  std::mt19937_64 rng(seed);
  return Design(current, blocks, [&](const CatalogBlock& block) {
    int type = StoredShownType(block, current);
    if (mutateTypes && block.HasTypes()) {
      type = std::clamp(MovedPosition(rng, TypeRow(block), type, percent), 0, TypeCount(block) - 1);
    }
    return Positioned(block, type, [&](const CatalogField& field) {
      const CatalogRow& row = *field.row;
      return MovedPosition(rng, row, NearestPosition(row, ReadLocation(current, row.at)), percent);
    });
  });
}

PresetImage Morph(const PresetImage& a, const PresetImage& b, double at, const DesignBlocks& blocks) {
  return Blend(a, b, std::clamp(at, 0.0, 1.0), blocks);
}

PresetImage Nudge(const PresetImage& current, const PresetImage& target, int percent, bool away,
                  const DesignBlocks& blocks) {
  const double share = std::clamp(percent, 0, 100) / 100.0;
  return Blend(current, target, away ? -share : share, blocks);
}
