// One G-Major preset, held as the exact 615-byte System Exclusive message the
// device sends and accepts. Every other part reads and writes parameters only
// through this class, addressing them by the offset of their first byte.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "PresetLayout.h"

class CFile;
class IMidiInput;
class IMidiOutput;

class CPreset {
 public:
  // Header, number 0 and end byte on a zero image, then validation: the
  // record becomes valid with a zero checksum.
  void CreateNew();
  // Reads slot iPreset (615 bytes at iPreset x 615) and validates it.
  bool ReadFromFile(CFile& file, int iPreset);
  // Opens an existing file and reads slot iPreset; false without a message
  // when the file cannot be opened.
  bool Read(const std::string& sFileName, int iPreset = 0);
  // Writes the valid record to a new file sFileName at lPos (0 and 1 both
  // mean the start). The file is written beside its final name and renamed,
  // so a failed save never leaves a damaged file behind.
  bool Save(const std::string& sFileName, int64_t lPos);
  // Writes the record with a fresh checksum at slot iPreset of an open file.
  bool WriteToFile(CFile& file, int iPreset);
  // Copies the first 615 bytes of bytes and validates them; a shorter array
  // is refused.
  bool LoadFromByteArray(std::span<const uint8_t> bytes);

  // Sends the 10-byte request F0 00 20 1F 00 48 45 lo hi F7 for iPreset.
  // A failure is logged and shown.
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

  bool IsValid() const { return valid_; }
  const PresetImage& Image() const { return image_; }
  // Puts the checksum of bytes 29-612 into byte 613.
  void UpdateChecksum();

 private:
  bool Validate();

  PresetImage image_{};
  bool valid_ = false;
};

// Sum of bytes 29 to 612, AND 0x7F.
uint8_t PresetChecksum(std::span<const uint8_t, kPresetSize> image);
bool ChecksumMatches(std::span<const uint8_t, kPresetSize> image);
// F0, maker 00 20 1F, model 48 and type 20 at the start.
bool HasPresetHeader(std::span<const uint8_t, kPresetSize> image);
bool HasEndByte(std::span<const uint8_t, kPresetSize> image);
