#include "FactoryBank.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "CPreset.h"
#include "PresetValues.h"

namespace {

constexpr std::array<const char*, 10> kMoods = {"Warm", "Bright", "Dark", "Wide", "Deep",
                                                "Crisp", "Vintage", "Modern", "Lush", "Dry"};
constexpr std::array<const char*, 10> kSounds = {"Lead", "Rhythm", "Chorus", "Delay", "Shimmer",
                                                 "Flange", "Phaser", "Tremolo", "Space", "Crunch"};

// A small linear congruential generator: the bank must be the same on every
// machine and with every standard library.
class Sequence {
 public:
  explicit Sequence(uint32_t seed) : state_(seed * 2654435761u + 1) {}
  int32_t Next(int32_t range) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int32_t>((state_ >> 8) % static_cast<uint32_t>(range));
  }

 private:
  uint32_t state_;
};

// Every block of some type with every field on an item of its list that the
// type allows, as the device and the editors keep them; no modifier assigned.
PresetImage Generate(int number, const std::string& name, uint32_t seed) {
  Sequence values(seed);
  PresetValues preset;
  preset.name = name;
  preset.number = number;
  for (const CatalogBlock& block : CatalogBlocks()) {
    const int type = values.Next(TypeCount(block));
    preset.blocks.push_back(PickBlockValues(block, type, [&values](int count) { return values.Next(count); }));
  }
  return ComposePreset(preset);
}

constexpr size_t kBankSize = 100;
using Bank = std::array<PresetImage, kBankSize>;

// Generating a preset walks the whole parameter catalog; every simulator
// reset would pay for 200 of them, so each bank is made once per process.
template <typename Make>
Bank MakeBank(Make make) {
  Bank bank;
  for (int n = 1; n <= static_cast<int>(kBankSize); ++n) bank[n - 1] = make(n);
  return bank;
}

PresetImage GenerateFactory(int n) {
  const std::string name = std::string(kMoods[(n - 1) / 10 % 10]) + " " + kSounds[(n - 1) % 10];
  return Generate(n, name, static_cast<uint32_t>(n));
}

PresetImage GenerateInitialUser(int n) {
  return Generate(PresetNumber::UserBase + n, "User " + std::to_string(n), static_cast<uint32_t>(1000 + n));
}

}  // namespace

PresetImage FactoryPreset(int n) {
  static const Bank bank = MakeBank(GenerateFactory);
  return bank.at(n - 1);
}

PresetImage InitialUserPreset(int n) {
  static const Bank bank = MakeBank(GenerateInitialUser);
  return bank.at(n - 1);
}
