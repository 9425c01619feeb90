// Builds presets with known values for tests: a valid image with a fresh
// checksum unless told otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CPreset.h"

class PresetBuilder {
 public:
  PresetBuilder();

  PresetBuilder& Name(const std::string& name);
  PresetBuilder& Number(int number);
  PresetBuilder& Value(int field, int32_t value);
  // Fills every parameter field with deterministic pseudo-random bytes.
  PresetBuilder& Scramble(uint32_t seed);
  // Leaves byte 613 wrong after building.
  PresetBuilder& BadChecksum();

  std::vector<uint8_t> Bytes() const;
  CPreset Build() const;

 private:
  CPreset preset_;
  bool badChecksum_ = false;
};

// n presets numbered first, first+1, ... named "Preset <number>", one after
// another as a dump file's bytes.
std::vector<uint8_t> DumpBytes(int count, int firstNumber = 101);

// The parts one after another.
std::vector<uint8_t> Joined(const std::vector<std::vector<uint8_t>>& parts);
// count slots of a dump's bytes, from slot first (0 based) on.
std::vector<uint8_t> Slots(const std::vector<uint8_t>& dump, int first, int count = 1);
