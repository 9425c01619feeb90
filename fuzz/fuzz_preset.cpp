// Arbitrary 615-byte images through the preset checks and every CPreset
// accessor. The first 615 bytes are the image (zero-padded); the bytes after
// it choose the values the setters are given.
#include <algorithm>
#include <cstdlib>

#include "CEffectBlock.h"
#include "CPreset.h"
#include "FuzzFields.h"

namespace {

constexpr int kLastWholeField = static_cast<int>(kPresetSize) - 4;

int32_t NextInt(FieldReader& in) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = (v << 8) | in.Choice();
  return static_cast<int32_t>(v);
}

void Require(bool condition) {
  if (!condition) std::abort();
}

void ReadEverything(const CPreset& preset) {
  (void)preset.PresetName();
  (void)preset.PresetNumber();
  for (int field = 0; field <= kLastWholeField; ++field) {
    (void)preset.Value(field);
    (void)preset.ValueUnsigned(field);
  }
  (void)preset.Routing();
  (void)preset.OutLevel();
  for (int relay = 0; relay <= 2; ++relay) Require(preset.Relay(relay) == 0 || preset.Relay(relay) == 1);
  for (int mod = -1; mod <= 33; ++mod) {
    if (const auto m = preset.Modifiers(mod)) {
      (void)m->ModifierText();
      (void)m->Value();
    }
  }
}

void CopyAndPasteBlocks(CPreset& preset, const PresetImage& before) {
  for (int32_t area : {-1, 0, 29, Offset::RoutingWord, Offset::TapTempo, Offset::Compressor, Offset::FilterMod,
                       Offset::Pitch, Offset::ChorusFlange, Offset::Delay, Offset::Reverb, Offset::NoiseGateEQ,
                       Offset::Checksum, static_cast<int32_t>(kPresetSize)}) {
    const auto block = preset.Copy(area);
    if (!block) continue;
    Require(preset.Paste(*block));
  }
  Require(preset.Image() == before);  // pasting what was copied changes nothing
}

void ApplySetters(CPreset& preset, FieldReader& in) {
  preset.SetPresetName(in.Text());
  preset.SetPresetNumber(NextInt(in));
  const int field = static_cast<int>(static_cast<uint32_t>(NextInt(in)) % (kLastWholeField + 1));
  const int32_t value = NextInt(in);
  preset.SetValue(field, value);
  Require((preset.ValueUnsigned(field) & 0xFFFFFF) == (static_cast<uint32_t>(value) & 0xFFFFFF));
  preset.SetRouting(NextInt(in));
  preset.SetOutLevel(NextInt(in));
  preset.SetRelay(in.Choice(), NextInt(in));
  preset.ReloadModifiers(NextInt(in), in.Choice() & 1, NextInt(in), in.Choice() & 1, NextInt(in), in.Choice() & 1,
                         NextInt(in), in.Choice() & 1, NextInt(in), in.Choice() & 1);
  if (const auto m = preset.Modifiers(1 + in.Choice() % 32)) {
    m->SetModifier(NextInt(in));
    m->SetMinOut(NextInt(in));
    m->SetMidOut(NextInt(in));
    m->SetMaxOut(NextInt(in));
  }
  preset.SaveModifiers();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PresetImage image{};
  std::copy_n(data, std::min(size, kPresetSize), image.begin());
  FieldReader setters(data + std::min(size, kPresetSize), size - std::min(size, kPresetSize));

  CPreset asGiven;
  const bool loaded = asGiven.LoadFromByteArray(image);
  Require(loaded == ChecksumMatches(image) && loaded == asGiven.IsValid());
  (void)HasPresetHeader(image);
  (void)HasEndByte(image);
  ReadEverything(asGiven);

  // The same bytes with a matching checksum take the valid record's paths.
  image[Offset::Checksum] = PresetChecksum(image);
  CPreset preset;
  Require(preset.LoadFromByteArray(image));
  ReadEverything(preset);
  CopyAndPasteBlocks(preset, image);
  ApplySetters(preset, setters);
  ReadEverything(preset);
  preset.UpdateChecksum();
  Require(ChecksumMatches(preset.Image()));
  CPreset reloaded;
  Require(reloaded.LoadFromByteArray(preset.Image()));
  return 0;
}
