// Where things live in the 615-byte preset image, and the block numbers by
// which the windows name the blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr std::size_t kPresetSize = 615;
using PresetImage = std::array<uint8_t, kPresetSize>;

namespace Offset {
constexpr int Number = 7;
constexpr int Name = 9;
constexpr int NameLength = 20;
constexpr int FirstModifier = 29;
constexpr int RoutingWord = 157;  // routing, out level and relays
constexpr int TapTempo = 161;
constexpr int Compressor = 165;
constexpr int FilterMod = 229;
constexpr int Pitch = 293;
constexpr int ChorusFlange = 357;
constexpr int Delay = 421;
constexpr int Reverb = 485;
constexpr int NoiseGateEQ = 549;
constexpr int Checksum = 613;
constexpr int End = 614;
constexpr int FirstParameter = 29;
constexpr int LastParameter = 609;  // the last 4-byte field starts here
// The on/off field of a 64-byte block; stored 0 = on, 1 = off.
constexpr int OnOff(int blockBase) { return blockBase + 60; }
}  // namespace Offset

// Fixed bytes of a preset message.
namespace SysEx {
constexpr uint8_t Start = 0xF0;
constexpr uint8_t End = 0xF7;
constexpr std::array<uint8_t, 3> Manufacturer = {0x00, 0x20, 0x1F};
constexpr uint8_t ModelGMajor = 0x48;
constexpr uint8_t TypePreset = 0x20;
constexpr uint8_t TypeRequest = 0x45;
constexpr std::size_t RequestSize = 10;
}  // namespace SysEx

// Preset numbers: 0 edit buffer, 1-100 factory, 101-200 user presets 1-100.
namespace PresetNumber {
constexpr int EditBuffer = 0;
constexpr int UserBase = 100;
constexpr int Highest = 200;
}  // namespace PresetNumber

// The numbers by which the main window and the editors name a block.
enum class BlockNumber : int {
  NoiseGateEQ = 1,
  LevelRelay = 2,
  Compressor = 3,
  FilterMod = 4,
  Pitch = 5,
  ChorusFlange = 6,
  Delay = 7,
  Reverb = 8,
  Routing = 9,
  Modifiers = 10,
  TapTempo = 11,
};
