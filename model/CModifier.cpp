#include "CModifier.h"

#include <array>

void CModifier::Create(int32_t block, int32_t value, std::string prompt) {
  block_ = block;
  prompt_ = std::move(prompt);
  if (value == -1) value = kDefaultModifierValue;
  modifier_ = value & 7;
  minOut_ = (value & 0x3F8) / 8;
  midOut_ = (value & 0x1FC00) / 1024;
  maxOut_ = (value & 0xFE0000) / 131072;
}

std::string CModifier::ModifierText() const {
  static constexpr std::array<const char*, 5> kTexts{"off", "M1", "M2", "M3", "M4"};
  if (modifier_ < 0 || modifier_ >= static_cast<int32_t>(kTexts.size())) return "";
  return kTexts[modifier_];
}

int32_t CModifier::Value() const {
  if (prompt_.empty()) return kDefaultModifierValue;
  // Each field keeps to its own bits, so an output set out of range cannot
  // change its neighbours.
  return ((midOut_ & 0x7F) * 1024) | ((minOut_ & 0x7F) * 8) | ((maxOut_ & 0x7F) * 131072) | (modifier_ & 7);
}
