// One modifier assignment: which modifier (off, M1 to M4) drives a block
// parameter, with its minimum, middle and maximum output, as packed into a
// 24-bit slot of the preset image (bits 0-2 modifier, 3-9 minimum, 10-16
// middle, 17-23 maximum).
#pragma once

#include <cstdint>
#include <string>

// off, 0, 50, 100: also what a slot without a parameter is written as.
inline constexpr int32_t kDefaultModifierValue = 0xC8C800;

class CModifier {
 public:
  // block is the offset of the group's first slot. value -1 gives the
  // default assignment; any other value is split into its four fields.
  void Create(int32_t block, int32_t value, std::string prompt);

  // "" when the slot has no parameter for the block's type.
  const std::string& Prompt() const { return prompt_; }
  int32_t Block() const { return block_; }
  // "off", "M1" to "M4"; "" for any other modifier number.
  std::string ModifierText() const;

  int32_t Modifier() const { return modifier_; }
  void SetModifier(int32_t iModifier) { modifier_ = iModifier; }
  int MinOut() const { return minOut_; }
  void SetMinOut(int iMinOut) { minOut_ = iMinOut; }
  int MidOut() const { return midOut_; }
  void SetMidOut(int iMidOut) { midOut_ = iMidOut; }
  int MaxOut() const { return maxOut_; }
  void SetMaxOut(int iMaxOut) { maxOut_ = iMaxOut; }

  // The packed slot value; the default for a slot without a parameter, so
  // assignments of another block type never reach the image.
  int32_t Value() const;

 private:
  int32_t block_ = 0;
  std::string prompt_;
  int32_t modifier_ = 0;
  int minOut_ = 0;
  int midOut_ = 50;
  int maxOut_ = 100;
};
