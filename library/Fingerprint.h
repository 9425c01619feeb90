// The identity of a sound: bytes 29 to 612 of the image (modifiers, routing
// word, tap tempo, every block). Name, number, device id and checksum byte
// are left out, so one sound under another name or number is one entry.
#pragma once

#include <span>
#include <string>

#include "PresetLayout.h"

inline constexpr int kSoundFirst = Offset::FirstModifier;
inline constexpr int kSoundEnd = Offset::Checksum;  // one past the last sound byte

// 16 lowercase hex digits (64-bit FNV-1a). Equal fingerprints are still
// checked byte by byte before two images count as one sound.
std::string Fingerprint(std::span<const uint8_t, kPresetSize> image);
bool SameSound(std::span<const uint8_t, kPresetSize> a, std::span<const uint8_t, kPresetSize> b);
