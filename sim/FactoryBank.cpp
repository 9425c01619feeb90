#include "FactoryBank.h"

#include <array>
#include <cstdint>
#include <string>

#include "CPreset.h"

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

PresetImage Generate(int number, const std::string& name, uint32_t seed) {
  CPreset preset;
  preset.CreateNew();
  preset.SetPresetNumber(number);
  preset.SetPresetName(name);
  Sequence values(seed);
  for (int field = Offset::FirstParameter; field <= Offset::LastParameter; field += 4) {
    preset.SetValue(field, values.Next(100));
  }
  for (int block : {Offset::Compressor, Offset::FilterMod, Offset::Pitch, Offset::ChorusFlange, Offset::Delay,
                    Offset::Reverb, Offset::NoiseGateEQ}) {
    preset.SetValue(Offset::OnOff(block), values.Next(2));
  }
  preset.UpdateChecksum();
  return preset.Image();
}

}  // namespace

PresetImage FactoryPreset(int n) {
  const std::string name = std::string(kMoods[(n - 1) / 10 % 10]) + " " + kSounds[(n - 1) % 10];
  return Generate(n, name, static_cast<uint32_t>(n));
}

PresetImage InitialUserPreset(int n) {
  return Generate(PresetNumber::UserBase + n, "User " + std::to_string(n), static_cast<uint32_t>(1000 + n));
}
