// Where each block named by its number lives in the preset image: the offset
// a block copy starts at and the field that switches the block on and off.
#pragma once

#include "PresetLayout.h"

class CPreset;

inline constexpr int kNoOffset = -1;

// The offset CopyBlock copies from: 549, 165 ... 485 for the effect blocks,
// 157 routing, 161 tap tempo; kNoOffset for levels/relays, the modifiers and
// any number outside 1 to 11.
int BlockCopyOffset(BlockNumber iBlock);

// The on/off field (stored 0 = on, 1 = off) of noise gate/EQ and the
// compressor to reverb blocks; kNoOffset for every other number.
int BlockOnOffField(BlockNumber iBlock);

// Stores block iBlock's switch in preset; false, with nothing changed, for a
// block that has none.
bool StoreBlockOnOff(CPreset& preset, BlockNumber iBlock, bool bOn);
