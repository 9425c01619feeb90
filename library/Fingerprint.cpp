#include "Fingerprint.h"

#include <algorithm>
#include <cstdio>

std::string Fingerprint(std::span<const uint8_t, kPresetSize> image) {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (int i = kSoundFirst; i < kSoundEnd; ++i) {
    hash ^= image[static_cast<std::size_t>(i)];
    hash *= 0x100000001b3ULL;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

bool SameSound(std::span<const uint8_t, kPresetSize> a, std::span<const uint8_t, kPresetSize> b) {
  return std::equal(a.begin() + kSoundFirst, a.begin() + kSoundEnd, b.begin() + kSoundFirst);
}
