#include "CEffectBlock.h"

#include <algorithm>

#include "PresetLayout.h"

namespace {

bool AreaFits(int32_t iBlock, std::size_t dataSize) {
  return iBlock >= 0 && static_cast<std::size_t>(iBlock) + BlockAreaLength(iBlock) <= dataSize;
}

}  // namespace

std::size_t BlockAreaLength(int32_t iBlock) {
  return iBlock == Offset::RoutingWord || iBlock == Offset::TapTempo ? 4 : CEffectBlock::kMaxLength;
}

bool CEffectBlock::Copy(int32_t iBlock, std::span<const uint8_t> data) {
  if (!AreaFits(iBlock, data.size())) return false;
  buffer_.fill(0);
  block_ = iBlock;
  std::copy_n(data.begin() + iBlock, BlockAreaLength(iBlock), buffer_.begin());
  return true;
}

bool CEffectBlock::Paste(std::span<uint8_t> data) const {
  if (!AreaFits(block_, data.size())) return false;
  std::copy_n(buffer_.begin(), BlockAreaLength(block_), data.begin() + block_);
  return true;
}
