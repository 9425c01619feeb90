#include "PresetBuilder.h"

#include <random>

PresetBuilder::PresetBuilder() { preset_.CreateNew(); }

PresetBuilder& PresetBuilder::Name(const std::string& name) {
  preset_.SetPresetName(name);
  return *this;
}

PresetBuilder& PresetBuilder::Number(int number) {
  preset_.SetPresetNumber(number);
  return *this;
}

PresetBuilder& PresetBuilder::Value(int field, int32_t value) {
  preset_.SetValue(field, value);
  return *this;
}

PresetBuilder& PresetBuilder::Scramble(uint32_t seed) {
  std::mt19937 rng(seed);
  for (int field = Offset::FirstParameter; field <= Offset::LastParameter; field += 4) {
    preset_.SetValue(field, static_cast<int32_t>(rng() % 128));
  }
  return *this;
}

PresetBuilder& PresetBuilder::BadChecksum() {
  badChecksum_ = true;
  return *this;
}

std::vector<uint8_t> PresetBuilder::Bytes() const {
  CPreset copy = preset_;
  copy.UpdateChecksum();
  std::vector<uint8_t> bytes(copy.Image().begin(), copy.Image().end());
  if (badChecksum_) bytes[Offset::Checksum] = static_cast<uint8_t>((bytes[Offset::Checksum] + 1) & 0x7F);
  return bytes;
}

CPreset PresetBuilder::Build() const {
  CPreset preset;
  const std::vector<uint8_t> bytes = Bytes();
  preset.LoadFromByteArray(bytes);
  return preset;
}

std::vector<uint8_t> DumpBytes(int count, int firstNumber) {
  std::vector<uint8_t> dump;
  for (int i = 0; i < count; ++i) {
    const int number = firstNumber + i;
    const auto bytes = PresetBuilder().Name("Preset " + std::to_string(number)).Number(number).Scramble(number).Bytes();
    dump.insert(dump.end(), bytes.begin(), bytes.end());
  }
  return dump;
}

std::vector<uint8_t> Joined(const std::vector<std::vector<uint8_t>>& parts) {
  std::vector<uint8_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<uint8_t> Slots(const std::vector<uint8_t>& dump, int first, int count) {
  const auto begin = dump.begin() + first * static_cast<std::ptrdiff_t>(kPresetSize);
  return {begin, begin + count * static_cast<std::ptrdiff_t>(kPresetSize)};
}
