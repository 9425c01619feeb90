#include "CPreset.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "AnsiText.h"
#include "CFile.h"
#include "Guarded.h"
#include "LindelError.h"
#include "MidiPorts.h"
#include "StagedFiles.h"
#include "modifierUtils.h"
#include "utilities.h"

namespace {

constexpr int kNameEnd = Offset::Name + Offset::NameLength;

// value x 2^bits with the bits that leave 32 bits dropped: the setters take
// any number, and only the low 24 bits of the word are stored anyway.
int32_t ShiftedLeft(int32_t value, int bits) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) << bits);
}

}  // namespace

uint8_t PresetChecksum(std::span<const uint8_t, kPresetSize> image) {
  const int sum = std::accumulate(image.begin() + Offset::FirstParameter,
                                  image.begin() + Offset::Checksum, 0);
  return static_cast<uint8_t>(sum & 0x7F);
}

bool ChecksumMatches(std::span<const uint8_t, kPresetSize> image) {
  return image[Offset::Checksum] == PresetChecksum(image);
}

bool HasPresetHeader(std::span<const uint8_t, kPresetSize> image) {
  return image[0] == SysEx::Start && std::equal(SysEx::Manufacturer.begin(), SysEx::Manufacturer.end(),
                                                image.begin() + 1) &&
         image[5] == SysEx::ModelGMajor && image[6] == SysEx::TypePreset;
}

bool HasEndByte(std::span<const uint8_t, kPresetSize> image) { return image[Offset::End] == SysEx::End; }

void CPreset::CreateNew() {
  image_[0] = SysEx::Start;
  std::copy(SysEx::Manufacturer.begin(), SysEx::Manufacturer.end(), image_.begin() + 1);
  image_[4] = 0x00;
  image_[5] = SysEx::ModelGMajor;
  image_[6] = SysEx::TypePreset;
  SetPresetNumber(PresetNumber::EditBuffer);
  image_[Offset::End] = SysEx::End;
  Validate();
}

bool CPreset::ReadFromFile(CFile& file, int iPreset) {
  valid_ = false;
  const bool read = file.Read(image_, 0, static_cast<int64_t>(iPreset) * kPresetSize, kPresetSize);
  const bool validated = Validate();
  return read && validated;
}

bool CPreset::Read(const std::string& sFileName, int iPreset) {
  refused_.reset();
  CFile file;
  if (!file.OpenFile(sFileName)) return false;
  return ReadFromFile(file, iPreset);
}

bool CPreset::Save(const std::string& sFileName, int64_t lPos) {
  StagedFiles files;
  if (!Save(files, sFileName, lPos)) return false;
  const std::vector<bool> done = files.Commit();
  return std::all_of(done.begin(), done.end(), [](bool inPlace) { return inPlace; });
}

bool CPreset::Save(StagedFiles& files, const std::string& sFileName, int64_t lPos) {
  if (!valid_) {
    image_.fill(0);
    return Refuse({"Not a valid preset", "CPreset.Save"});
  }
  refused_.reset();
  UpdateChecksum();
  return files.Stage(sFileName, image_, lPos);
}

bool CPreset::WriteToFile(CFile& file, int iPreset) {
  return WriteThrough([&](std::span<const uint8_t, kPresetSize> image) {
    return file.Save(image, 0, static_cast<int64_t>(iPreset) * kPresetSize, kPresetSize);
  });
}

bool CPreset::WriteThrough(const ImageWriter& write) {
  valid_ = false;
  UpdateChecksum();
  valid_ = write(image_);
  return valid_;
}

bool CPreset::LoadFromByteArray(std::span<const uint8_t> bytes) {
  refused_.reset();
  if (bytes.size() < kPresetSize) return false;
  std::copy_n(bytes.begin(), kPresetSize, image_.begin());
  return Validate();
}

bool CPreset::RequestToPort(IMidiOutput& outPort, int iPreset) {
  std::array<uint8_t, SysEx::RequestSize> message{SysEx::Start, 0x00, 0x20, 0x1F, 0x00, SysEx::ModelGMajor,
                                                   SysEx::TypeRequest, 0, 0, SysEx::End};
  WriteValue14(iPreset, 7, message);
  try {
    return outPort.Transmit(message, 0, static_cast<int>(message.size()));
  } catch (const LindelError&) {
    throw;
  } catch (const std::exception& e) {
    throw LindelError(ErrorNumber::Preset, "CPreset.RequestToPort", e.what());
  }
}

bool CPreset::ReadFromPort(IMidiInput& inPort) {
  refused_.reset();
  inPort.Read(image_, 0, kPresetSize);
  if (image_[0] != SysEx::Start || image_[6] != SysEx::TypePreset) return false;
  return Validate();
}

bool CPreset::Transmit(IMidiOutput& outPort) {
  UpdateChecksum();
  bool sent = false;
  Guarded("CPreset.Transmit", [&] { sent = outPort.Transmit(image_, 0, kPresetSize); });
  return sent;
}

std::string CPreset::PresetName() const {
  if (!valid_) return "";
  return FromAnsi(image_.data() + Offset::Name, Offset::NameLength);
}

void CPreset::SetPresetName(const std::string& sName) {
  std::vector<uint8_t> bytes = ToAnsi(sName);
  bytes.resize(std::min<std::size_t>(bytes.size(), Offset::NameLength));
  std::copy(bytes.begin(), bytes.end(), image_.begin() + Offset::Name);
  std::fill(image_.begin() + Offset::Name + static_cast<int>(bytes.size()), image_.begin() + kNameEnd, ' ');
}

int CPreset::PresetNumber() const { return ReadValue14(image_, Offset::Number); }

void CPreset::SetPresetNumber(int iPreset) { WriteValue14(iPreset, Offset::Number, image_); }

int32_t CPreset::Value(int iField) const { return ReadValue28(image_, iField, true); }

void CPreset::SetValue(int iField, int32_t lValue) { WriteValue28(lValue, iField, image_); }

int32_t CPreset::ValueUnsigned(int iField) const { return ReadValue28(image_, iField, false); }

int CPreset::Routing() const { return Value(Offset::RoutingWord) & 3; }

void CPreset::SetRouting(int value) {
  SetValue(Offset::RoutingWord, (Value(Offset::RoutingWord) & 0x3FFC) | value);
}

int32_t CPreset::OutLevel() const { return (Value(Offset::RoutingWord) & 0x1FC) / 4; }

void CPreset::SetOutLevel(int32_t value) {
  SetValue(Offset::RoutingWord, (Value(Offset::RoutingWord) & 0x3E03) | ShiftedLeft(value, 2));
}

int CPreset::Relay(int iRelay) const {
  const int bit = iRelay == 1 ? 9 : 10;
  return (Value(Offset::RoutingWord) >> bit) & 1;
}

void CPreset::SetRelay(int iRelay, int value) {
  const int32_t word = Value(Offset::RoutingWord);
  if (iRelay == 1) {
    SetValue(Offset::RoutingWord, (word & 0x3DFF) | ShiftedLeft(value, 9));
  } else {
    SetValue(Offset::RoutingWord, (word & 0x3BFF) | ShiftedLeft(value, 10));
  }
}

void CPreset::ReloadModifiers(int iFiltType, bool bFiltOn, int iPitchType, bool bPitchOn, int iChorusType,
                              bool bChorusOn, int iDelayType, bool bDelayOn, int iReverbType, bool bReverbOn) {
  const std::array<std::pair<int, bool>, kModifierGroups.size()> shown{
      {{iFiltType, bFiltOn}, {iPitchType, bPitchOn}, {iChorusType, bChorusOn}, {iDelayType, bDelayOn},
       {iReverbType, bReverbOn}}};
  modifiers_.Clear();
  for (int g = 0; g < static_cast<int>(kModifierGroups.size()); ++g) {
    const auto [type, on] = shown[g];
    const bool keepStored = on && Value(kModifierGroups[g].blockBase) == type;
    AddModifiers(g, type, !keepStored);
  }
}

void CPreset::SaveModifiers() {
  if (modifiers_.Count() != kModifierCount) return;  // never validated: nothing decoded to write back
  for (const ModifierGroup& group : kModifierGroups) StoreModifiers(group);
}

std::optional<CEffectBlock> CPreset::Copy(int32_t iBlock) const {
  CEffectBlock block;
  if (!block.Copy(iBlock, image_)) return std::nullopt;
  return block;
}

bool CPreset::Paste(const CEffectBlock& block) { return block.Paste(image_); }

void CPreset::LoadModifiers() {
  modifiers_.Clear();
  for (int g = 0; g < static_cast<int>(kModifierGroups.size()); ++g) {
    AddModifiers(g, Value(kModifierGroups[g].blockBase), false);
  }
}

void CPreset::AddModifiers(int iGroup, int iType, bool bReset) {
  const ModifierGroup& group = kModifierGroups[iGroup];
  for (int n = 0; n < group.SlotCount(); ++n) {
    const int slot = group.firstSlot + 4 * n;
    CModifier modifier;
    modifier.Create(group.firstSlot, bReset ? -1 : ValueUnsigned(slot),
                    modifierUtils::GetModifierPrompt(iGroup, iType, n));
    modifiers_.Add(modifier);
  }
}

void CPreset::StoreModifiers(const ModifierGroup& group) {
  for (int n = 0; n < group.SlotCount(); ++n) {
    SetValue(group.firstSlot + 4 * n, modifiers_.At(group.firstPosition + n)->Value());
  }
}

void CPreset::UpdateChecksum() { image_[Offset::Checksum] = PresetChecksum(image_); }

bool CPreset::Validate() {
  if (!ChecksumMatches(image_)) return Refuse({"Invalid Patch file -- bad checksum"});
  refused_.reset();
  LoadModifiers();
  valid_ = true;
  return true;
}

bool CPreset::Refuse(Refusal why) {
  refused_ = std::move(why);
  return false;
}
