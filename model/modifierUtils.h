// Where the 32 modifier slots live in the preset image, and which block
// parameter each slot stands for: that depends on the block's current type.
#pragma once

#include <array>
#include <string>

// One block's run of modifier slots, four bytes each.
struct ModifierGroup {
  int firstSlot;      // offset of the first slot; names the group in CModifier::Block
  int endSlot;        // one past the last slot
  int blockBase;      // the block's type field; its on/off field is 60 bytes further
  int firstPosition;  // list position (from 1) of the first slot
  const char* name;   // the block's short name, as the command line spells it

  int SlotCount() const { return (endSlot - firstSlot) / 4; }
};

// Filter/modulation, pitch, chorus/flanger, delay and reverb, in slot order.
inline constexpr std::array<ModifierGroup, 5> kModifierGroups{{
    {29, 49, 229, 1, "filter"},
    {49, 81, 293, 6, "pitch"},
    {81, 109, 357, 14, "chorus"},
    {109, 149, 421, 21, "delay"},
    {149, 157, 485, 31, "reverb"},
}};
inline constexpr int kModifierCount = 32;

namespace modifierUtils {

// The parameter name of slot iSlot (0-9) of group iGroup (0-4) when the
// block has type iType (0-5); "" where the type has no parameter there.
// Indices outside those ranges are logged and give "".
std::string GetModifierPrompt(int iGroup, int iType, int iSlot);

}  // namespace modifierUtils
