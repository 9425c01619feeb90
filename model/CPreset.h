// One G-Major preset, held as the exact 615-byte System Exclusive message the
// device sends and accepts. Every other part reads and writes parameters only
// through this class, addressing them by the offset of their first byte.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "CEffectBlock.h"
#include "ModifierList.h"
#include "PresetLayout.h"
#include "Refusal.h"

class CFile;
class IMidiInput;
class IMidiOutput;
struct ModifierGroup;
class StagedFiles;

class CPreset {
 public:
  // Header, number 0 and end byte on a zero image, then validation: the
  // record becomes valid with a zero checksum.
  void CreateNew();
  // Reads slot iPreset (615 bytes at iPreset x 615) and validates it.
  bool ReadFromFile(CFile& file, int iPreset);
  // Opens an existing file and reads slot iPreset; false with no refusal
  // when the file cannot be opened.
  bool Read(const std::string& sFileName, int iPreset = 0);
  // Writes the valid record to a new file sFileName at lPos (0 and 1 both
  // mean the start). The file is written beside its final name and renamed,
  // so a failed save never leaves a damaged file behind.
  bool Save(const std::string& sFileName, int64_t lPos);
  // The same checks, but the file is only staged: it takes its name when
  // files.Commit() runs, together with the other files staged there.
  bool Save(StagedFiles& files, const std::string& sFileName, int64_t lPos);
  // Writes the record with a fresh checksum at slot iPreset of an open file.
  bool WriteToFile(CFile& file, int iPreset);
  // The same with any way of writing the image: the record is not valid
  // unless write succeeds.
  using ImageWriter = std::function<bool(std::span<const uint8_t, kPresetSize> image)>;
  bool WriteThrough(const ImageWriter& write);
  // Copies the first 615 bytes of bytes and validates them; a shorter array
  // is refused.
  bool LoadFromByteArray(std::span<const uint8_t> bytes);

  // Sends the 10-byte request F0 00 20 1F 00 48 45 lo hi F7 for iPreset;
  // false when the port refuses it. A failure of the port is thrown as a
  // LindelError, for the caller to say.
  bool RequestToPort(IMidiOutput& outPort, int iPreset);
  // Copies the received message in; refused (false, valid flag unchanged)
  // unless it starts with F0 and byte 6 is 0x20; then validated.
  bool ReadFromPort(IMidiInput& inPort);
  // Sends the 615 bytes with a fresh checksum. A failure is logged.
  bool Transmit(IMidiOutput& outPort);

  // "" while the record is not valid; otherwise the 20 name characters,
  // trailing spaces kept.
  std::string PresetName() const;
  // Stores at most 20 characters as ANSI bytes, padded with spaces.
  void SetPresetName(const std::string& sName);
  int PresetNumber() const;
  void SetPresetNumber(int iPreset);
  // 24-bit signed parameter at offset iField (29 to 609).
  int32_t Value(int iField) const;
  void SetValue(int iField, int32_t lValue);
  int32_t ValueUnsigned(int iField) const;

  // The routing, out level and relays word at 157.
  int Routing() const;
  void SetRouting(int value);
  int32_t OutLevel() const;
  void SetOutLevel(int32_t value);
  // iRelay 1 is relay 1; any other number relay 2.
  int Relay(int iRelay) const;
  void SetRelay(int iRelay, int value);

  // The modifier assignment at list position iMod (1 to 32), shared with the
  // list: edits to it stay in the list until SaveModifiers. Null outside 1 to
  // 32 and before the record was first validated.
  std::shared_ptr<CModifier> Modifiers(int iMod) const { return modifiers_.At(iMod); }
  // Rebuilds the list for the block types and on states the editors show. A
  // block that is on with its stored type keeps the image's assignments; any
  // other block gets default assignments with the prompts of the given type.
  // The image is not changed.
  void ReloadModifiers(int iFiltType, bool bFiltOn, int iPitchType, bool bPitchOn, int iChorusType,
                       bool bChorusOn, int iDelayType, bool bDelayOn, int iReverbType, bool bReverbOn);
  // Writes the 32 assignments into their slots; slots without a parameter get
  // the default value. The checksum is left for when the image leaves.
  void SaveModifiers();

  // The 4-byte area at 157 or 161, or the 64-byte block at iBlock, as a
  // clipboard; nothing when the area would run past the image.
  std::optional<CEffectBlock> Copy(int32_t iBlock) const;
  // Puts the block back at the offset it came from, type and on/off included.
  // Checksum and valid flag are left alone.
  bool Paste(const CEffectBlock& block);

  bool IsValid() const { return valid_; }
  // Why the last load or save was refused (a bad checksum, a record that is
  // not valid), for the caller to show; nothing after one that was not, or
  // that failed for a reason the file layer reports itself.
  const std::optional<Refusal>& Refused() const { return refused_; }
  const PresetImage& Image() const { return image_; }
  // Puts the checksum of bytes 29-612 into byte 613.
  void UpdateChecksum();

 private:
  bool Validate();
  bool Refuse(Refusal why);
  void LoadModifiers();
  void AddModifiers(int iGroup, int iType, bool bReset);
  void StoreModifiers(const ModifierGroup& group);

  PresetImage image_{};
  bool valid_ = false;
  std::optional<Refusal> refused_;
  ModifierList modifiers_;
};

// Sum of bytes 29 to 612, AND 0x7F.
uint8_t PresetChecksum(std::span<const uint8_t, kPresetSize> image);
bool ChecksumMatches(std::span<const uint8_t, kPresetSize> image);
// F0, maker 00 20 1F, model 48 and type 20 at the start.
bool HasPresetHeader(std::span<const uint8_t, kPresetSize> image);
bool HasEndByte(std::span<const uint8_t, kPresetSize> image);
