// Presets made from the parameter catalog, for tests: each block of a random
// type, each field a random item of its list, the type's fixed values, an
// assignment on every modifier slot that has a parameter and the default on
// the others, as the editors write them. With noise, the bytes no control
// shows (unused fields, spare bits of the routing word, the device byte)
// hold random values too, as presets from the device may.
#pragma once

#include <cstdint>
#include <vector>

#include "CPreset.h"
#include "ParameterCatalog.h"

struct CatalogPresetOptions {
  bool noise = true;
  const CatalogBlock* block = nullptr;  // with type: this block gets that type
  int type = 0;
};

CPreset CatalogPreset(uint32_t seed, const CatalogPresetOptions& options = {});
// count such presets one after another, as a dump file holds them.
std::vector<uint8_t> CatalogBank(int count, uint32_t seed);
// A valid preset of random bytes (a checksum that fits, the rest anything).
CPreset RandomBytesPreset(uint32_t seed);
