#include "modifierUtils.h"

#include "CLog.h"

namespace {

constexpr int kGroups = 5;
constexpr int kTypes = 6;
constexpr int kSlots = 10;
constexpr int kSubscriptOutOfRange = 9;

using Prompts = std::array<const char*, kSlots>;
using TypePrompts = std::array<Prompts, kTypes>;

constexpr Prompts kPhaser{"PHA Speed", "PHA Depth", "PHA FB", "PHA Mix", "PHA OutLev"};
constexpr Prompts kChorus{"CHO Speed", "CHO Depth", "CHO HiCut", "CHO Mix", "CHO OutLev"};
constexpr Prompts kFlanger{"FLA Speed", "FLA Depth", "FLA HiCut", "FLA FB", "FLA FBCut", "FLA Mix", "FLA OutLev"};
constexpr Prompts kSingleDelay{"DLY Dly", "DLY FB", "DLY FBHCut", "DLY FBLCut", "DLY Mix", "DLY OutLev"};
constexpr Prompts kReverb{"REV Mix", "REV OutLev"};

// Unlisted entries stay null and read as "". The Shifter's "PIT OutLEv" is
// spelled with a capital E on purpose: users know the prompt by that text.
constexpr std::array<TypePrompts, kGroups> kPrompts{{
    {{
        {"FIL Mix", "FIL OutLev"},
        {"FIL HiCut", "FIL Res", "FIL Mix", "FIL OutLev"},
        kPhaser,
        kPhaser,
        {"TRM Speed", "TRM Depth", "TRM HiCut", "TRM OutLev"},
        {"PAN Speed", "PAN Width", "PAN OutLev"},
    }},
    {{
        {"PIT Mix", "PIT OutLev"},
        {"PIT Pitch", "PIT OutLev"},
        {"PIT Mix", "PIT OutLev"},
        {"PIT Voice1", "PIT Voice2", "PIT Pan1", "PIT Pan2", "PIT FB1", "PIT FB2", "PIT Mix", "PIT OutLEv"},
    }},
    {{
        kChorus,
        kChorus,
        kFlanger,
        kFlanger,
        {"VIB Speed", "VIB Depth", "VIB HiCut", "VIB OutLev"},
    }},
    {{
        kSingleDelay,
        kSingleDelay,
        {"DLY Dly1", "DLY Dly2", "DLY FB1", "DLY FB2", "DLY FBHCut", "DLY FBLCut", "DLY Pan1", "DLY Pan2",
         "DLY Mix", "DLY OutLev"},
    }},
    {{kReverb, kReverb, kReverb, kReverb}},
}};

bool InRange(int value, int count) { return value >= 0 && value < count; }

}  // namespace

std::string modifierUtils::GetModifierPrompt(int iGroup, int iType, int iSlot) {
  if (!InRange(iGroup, kGroups) || !InRange(iType, kTypes) || !InRange(iSlot, kSlots)) {
    LogLine(kSubscriptOutOfRange, "Subscript out of range", "modifierUtils.GetModifierPrompt");
    return "";
  }
  const char* prompt = kPrompts[iGroup][iType][iSlot];
  return prompt ? prompt : "";
}
