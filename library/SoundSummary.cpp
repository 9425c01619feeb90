#include "SoundSummary.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "ParameterCatalog.h"

namespace {

constexpr std::array<LibraryBlock, 7> kBlocks{{
    {"gate-eq", Offset::NoiseGateEQ, BlockNumber::NoiseGateEQ},
    {"compressor", Offset::Compressor, BlockNumber::Compressor},
    {"filter", Offset::FilterMod, BlockNumber::FilterMod},
    {"pitch", Offset::Pitch, BlockNumber::Pitch},
    {"chorus", Offset::ChorusFlange, BlockNumber::ChorusFlange},
    {"delay", Offset::Delay, BlockNumber::Delay},
    {"reverb", Offset::Reverb, BlockNumber::Reverb},
}};

const CatalogBlock& Catalog(BlockNumber number) {
  const auto blocks = CatalogBlocks();
  return *std::find_if(blocks.begin(), blocks.end(), [&](const CatalogBlock& b) { return b.number == number; });
}

const CatalogRow& RoutingRow() { return Catalog(BlockNumber::Routing).rows.front(); }

std::vector<std::string> ListTexts(const CatalogRow& row) {
  std::vector<std::string> texts;
  for (const auto& item : Items(row)) texts.push_back(Lowercase(item.text));
  return texts;
}

}  // namespace

std::span<const LibraryBlock> LibraryBlocks() { return kBlocks; }

const LibraryBlock* FindLibraryBlock(std::string_view name) {
  const auto found = std::find_if(kBlocks.begin(), kBlocks.end(), [&](const LibraryBlock& b) { return b.name == name; });
  return found == kBlocks.end() ? nullptr : &*found;
}

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::vector<std::string> BlockTypeTexts(const LibraryBlock& block) {
  const CatalogBlock& catalog = Catalog(block.number);
  return catalog.HasTypes() ? ListTexts(TypeRow(catalog)) : std::vector<std::string>{};
}

std::vector<std::string> RoutingTexts() { return ListTexts(RoutingRow()); }

SoundSummary Summarize(std::span<const uint8_t, kPresetSize> bytes) {
  PresetImage image;
  std::copy(bytes.begin(), bytes.end(), image.begin());
  SoundSummary summary;
  for (std::size_t i = 0; i < kBlocks.size(); ++i) {
    const LibraryBlock& block = kBlocks[i];
    // Stored 0 is on.
    if (ReadLocation(image, {Offset::OnOff(block.offset)}) == 0) summary.blocksOn |= 1u << i;
    const CatalogBlock& catalog = Catalog(block.number);
    if (!catalog.HasTypes()) continue;
    const auto shown = static_cast<unsigned>(ShownType(catalog, ReadLocation(image, TypeRow(catalog).at)));
    summary.types |= shown << (kTypeBits * i);
  }
  const int32_t routing = ReadLocation(image, RoutingRow().at);
  summary.types |= static_cast<unsigned>(routing) << kRoutingShift;
  return summary;
}
