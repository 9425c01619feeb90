#include "BlockAreas.h"

#include <algorithm>
#include <array>

#include "CEffectBlock.h"

namespace {

constexpr std::array<NamedArea, 9> kAreas{{
    {"gate-eq", Offset::NoiseGateEQ},
    {"compressor", Offset::Compressor},
    {"filter", Offset::FilterMod},
    {"pitch", Offset::Pitch},
    {"chorus", Offset::ChorusFlange},
    {"delay", Offset::Delay},
    {"reverb", Offset::Reverb},
    {"routing", Offset::RoutingWord},
    {"tap-tempo", Offset::TapTempo},
}};

}  // namespace

std::span<const NamedArea> NamedAreas() { return kAreas; }

std::optional<int> AreaOffset(std::string_view name) {
  const auto it = std::find_if(kAreas.begin(), kAreas.end(), [&](const NamedArea& a) { return a.name == name; });
  if (it == kAreas.end()) return std::nullopt;
  return it->offset;
}

std::string AreaNames() {
  std::string names;
  for (const NamedArea& a : kAreas) names += (names.empty() ? "" : ", ") + std::string(a.name);
  return names;
}

std::vector<BlockNumber> BlocksInArea(int offset) {
  const int end = offset + static_cast<int>(BlockAreaLength(offset));
  std::vector<BlockNumber> blocks;
  for (const CatalogBlock& block : CatalogBlocks()) {
    const int first = block.rows.front().at.offset;
    if (first >= offset && first < end) blocks.push_back(block.number);
  }
  return blocks;
}
