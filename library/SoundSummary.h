// What a search needs to know of a sound without decoding it again: which
// blocks are on, the type each block shows and the routing. The blocks are
// named as copy-block names them; types and routing by the editor's texts.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "PresetLayout.h"

struct LibraryBlock {
  std::string_view name;  // "gate-eq", "delay"
  int offset;             // the block's first byte
  BlockNumber number;
};

// The seven effect blocks in chain order.
std::span<const LibraryBlock> LibraryBlocks();
const LibraryBlock* FindLibraryBlock(std::string_view name);

// The shown type of block i sits at bits 3i to 3i+2, the routing position
// at kRoutingShift, so a search compares small numbers, not texts.
inline constexpr int kTypeBits = 3;
inline constexpr int kRoutingShift = 21;

struct SoundSummary {
  unsigned blocksOn = 0;  // bit i: LibraryBlocks()[i] is on
  unsigned types = 0;
};

SoundSummary Summarize(std::span<const uint8_t, kPresetSize> image);

// The lowercase type texts of a block ("dual", "ping pong"); none for
// blocks without types.
std::vector<std::string> BlockTypeTexts(const LibraryBlock& block);
// The lowercase routing texts.
std::vector<std::string> RoutingTexts();
std::string Lowercase(std::string_view text);
