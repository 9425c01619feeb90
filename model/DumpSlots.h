// Slot arithmetic of .syx files: preset images of 615 bytes one after another,
// found by position only.
#pragma once

#include <cstdint>

#include "PresetLayout.h"

// The file size divided by 615, rounded to the nearest whole number: a
// trailing partial slot of more than 307 bytes counts (and fails to read).
constexpr int SlotCount(int64_t fileSize) {
  return static_cast<int>((fileSize + static_cast<int64_t>(kPresetSize) / 2) / static_cast<int64_t>(kPresetSize));
}

constexpr int64_t SlotPosition(int slot) { return static_cast<int64_t>(slot) * static_cast<int64_t>(kPresetSize); }

#include <string>

// The dump list's label of a slot: the stored number less 100, " - ", and the
// 20 name bytes as text (trailing spaces kept). Factory presets show -99 to 0.
std::string SlotLabel(int storedNumber, const uint8_t* name20);
